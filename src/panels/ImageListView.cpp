#include "panels/ImageListView.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "image/Image.h"
#include "panels/StripGeometry.h"
#include "ResourceIds.h"
#include "ui/GdiHandles.h"

namespace {

constexpr int font_height = 10;

void init_list_control()
{
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
}

[[noreturn]] void fail() { throw ImageListViewException(load_text(texts::data_unreadable)); }

// `picture` drawn into a bitmap of thumbnail size, colour on colour.
GdiObject<HBITMAP> stretched(const Image& picture)
{
    WindowDc screen(nullptr);
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), strip::thumbnail_width, strip::thumbnail_height));
    MemoryDc memory(screen.get());
    if (!bitmap || memory.get() == nullptr || picture.width() <= 0 || picture.height() <= 0) {
        fail();
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width();
    info.bmiHeader.biHeight = picture.height(); // bottom row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SelectedObject selected(memory.get(), bitmap.get());
    SetStretchBltMode(memory.get(), COLORONCOLOR);
    if (StretchDIBits(memory.get(), 0, 0, strip::thumbnail_width, strip::thumbnail_height, 0, 0, picture.width(),
                      picture.height(), picture.pixels(), &info, DIB_RGB_COLORS, SRCCOPY) == 0) {
        fail();
    }
    return bitmap;
}

} // namespace

ImageListView::ImageListView(HWND parent, int x, int y, int width, int height)
{
    init_list_control();
    CreationRecord record;
    record.className = WC_LISTVIEWW;
    // The strip keeps its image list itself (the control would otherwise destroy it too).
    record.style = WS_CHILD | WS_VISIBLE | LVS_SHAREIMAGELISTS;
    record.x = x;
    record.y = y;
    record.width = width;
    record.height = height;
    record.parent = parent;
    create(record);
    font_.reset(CreateFontW(font_height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_MODERN, L"ＭＳ ゴシック"));
    SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    images_.reset(ImageList_Create(strip::thumbnail_width, strip::thumbnail_height, ILC_COLORDDB, 0, 1));
    SendMessageW(handle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images_.get()));
}

LRESULT ImageListView::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        on_paint();
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wParam != VK_LEFT && wParam != VK_RIGHT) {
            return 0;
        }
        if (message == WM_KEYDOWN) {
            // The control brings the new item into view itself.
            const LRESULT result = Window::windowProc(message, wParam, lParam);
            keep_row_at_top();
            return result;
        }
        break;
    case WM_CHAR:
    case WM_MOUSEWHEEL:
        return 0;
    case WM_HSCROLL:
        if (on_horizontal_scroll(LOWORD(wParam))) {
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (snap()) {
            return 0;
        }
        break;
    default:
        break;
    }
    return Window::windowProc(message, wParam, lParam);
}

void ImageListView::on_paint()
{
    // Every item is drawn again, so that the control's own painting covers the whole row.
    PaintDc paint(handle());
    SendMessageW(handle(), LVM_REDRAWITEMS, 0, count());
    SetFocus(handle());
}

bool ImageListView::on_horizontal_scroll(int code)
{
    switch (code) {
    case SB_LINELEFT:
    case SB_LINERIGHT: {
        // A line is one whole item.
        const int width = item_width();
        SendMessageW(handle(), LVM_SCROLL, code == SB_LINELEFT ? -width : width, 0);
        return true;
    }
    case SB_ENDSCROLL:
        return snap();
    default:
        return false;
    }
}

bool ImageListView::snap()
{
    const std::optional<int> distance = strip::snap_distance(scroll_position(), item_width(), count());
    if (!distance) {
        return false;
    }
    if (*distance != 0) {
        SendMessageW(handle(), LVM_SCROLL, *distance, 0);
    }
    return true;
}

int ImageListView::item_width() const
{
    RECT view{};
    SendMessageW(handle(), LVM_GETVIEWRECT, 0, reinterpret_cast<LPARAM>(&view));
    return strip::item_width(view.right - view.left, count());
}

int ImageListView::scroll_position() const
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    if (!GetScrollInfo(handle(), SB_HORZ, &info)) {
        return 0;
    }
    return info.nPos;
}

void ImageListView::add(int index, const Image& picture, const std::wstring& caption)
{
    GdiObject<HBITMAP> bitmap = stretched(picture);
    const int image = ImageList_Add(images_.get(), bitmap.get(), nullptr);
    if (image < 0) {
        fail();
    }
    if (redrawing_) {
        // The control measures every caption again when it redraws; it does so once for a
        // batch of new thumbnails (show_added), not once for each.
        SendMessageW(handle(), WM_SETREDRAW, FALSE, 0);
        redrawing_ = false;
    }
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    item.iImage = image;
    const int inserted = static_cast<int>(SendMessageW(handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (inserted < 0) {
        fail();
    }
}

void ImageListView::show_added()
{
    // Every thumbnail stands in the one row, side by side. Only the items added since the last
    // time are placed: the others stand already.
    const int items = count();
    if (items > placed_) {
        // The control measures its items the first time it paints them and then stacks them in
        // rows of its own; it is made to paint now, so that this happens before the row is laid
        // out and not at the next paint, after it.
        measure_items();
        const ItemBox first = item_box(0);
        const int width = first.width;
        if (placed_ > 0 &&
            (first.left != 0 || item_box(placed_ - 1).left != strip::item_left(placed_ - 1, width))) {
            placed_ = 0; // stacked anew by the control: the whole row is laid out again
        }
        // The control places an item by the corner of its picture, which stands inside the
        // item's box; the row is laid out by the boxes, so that no caption reaches past the
        // strip's left edge.
        for (int index = placed_; index < items; ++index) {
            POINT place{strip::item_left(index, width) + first.picture_left, first.picture_top};
            SendMessageW(handle(), LVM_SETITEMPOSITION32, index, reinterpret_cast<LPARAM>(&place));
        }
        placed_ = items;
    }
    // Drawing comes back on (once for the batch: under Wine each switch costs a repaint of the
    // strip) after the row is laid out, so that the control measures its scroll range on the
    // row as it stands.
    if (!redrawing_) {
        SendMessageW(handle(), WM_SETREDRAW, TRUE, 0);
        redrawing_ = true;
    }
}

ImageListView::ItemBox ImageListView::item_box(int index) const
{
    // The box in view coordinates (client coordinates plus the scrolled distance), and where the
    // control's place of the item (its picture) stands within it.
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageW(handle(), LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&bounds));
    POINT origin{};
    SendMessageW(handle(), LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&origin));
    POINT place{};
    SendMessageW(handle(), LVM_GETITEMPOSITION, index, reinterpret_cast<LPARAM>(&place));
    ItemBox box;
    box.left = bounds.left + origin.x;
    box.width = bounds.right - bounds.left;
    box.picture_left = place.x - box.left;
    box.picture_top = place.y - (bounds.top + origin.y);
    return box;
}

void ImageListView::measure_items()
{
    WindowDc screen(nullptr);
    MemoryDc scratch(screen.get());
    if (scratch.get() != nullptr) {
        SendMessageW(handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(scratch.get()), PRF_CLIENT);
    }
}

void ImageListView::clear()
{
    show_added();
    SendMessageW(handle(), LVM_DELETEALLITEMS, 0, 0);
    ImageList_RemoveAll(images_.get());
    placed_ = 0;
}

void ImageListView::reserve(int pictures)
{
    // Room for a folder's pictures from the start: a list that grows copies every picture it
    // holds each time. Only an empty list is made anew.
    if (picture_count() != 0 || pictures <= 0) {
        return;
    }
    ImageList fresh(ImageList_Create(strip::thumbnail_width, strip::thumbnail_height, ILC_COLORDDB, pictures, 1));
    if (!fresh) {
        return; // the list as it is still grows as needed
    }
    SendMessageW(handle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(fresh.get()));
    images_ = std::move(fresh);
}

int ImageListView::count() const { return static_cast<int>(SendMessageW(handle(), LVM_GETITEMCOUNT, 0, 0)); }

int ImageListView::picture_count() const { return ImageList_GetImageCount(images_.get()); }

void ImageListView::select(int index)
{
    LVITEMW item{};
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    item.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageW(handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
    ensure_visible(index);
}

void ImageListView::ensure_visible(int index)
{
    SendMessageW(handle(), LVM_ENSUREVISIBLE, index, FALSE);
    keep_row_at_top();
}

void ImageListView::keep_row_at_top()
{
    // An item may be taller than the strip; the control then shows its caption and cuts the top
    // of the thumbnail. The row stays at the top: only its horizontal place is brought into view.
    SCROLLINFO vertical{};
    vertical.cbSize = sizeof vertical;
    vertical.fMask = SIF_POS;
    if (GetScrollInfo(handle(), SB_VERT, &vertical) && vertical.nPos > 0) {
        SendMessageW(handle(), LVM_SCROLL, 0, -vertical.nPos);
    }
}

std::wstring ImageListView::caption(int index) const
{
    wchar_t text[64] = {};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(handle(), LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

void ImageListView::draw_plain(HDC dc, int index) const
{
    RECT icon{};
    icon.left = LVIR_ICON;
    RECT label{};
    label.left = LVIR_LABEL;
    SendMessageW(handle(), LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&icon));
    SendMessageW(handle(), LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&label));
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    SendMessageW(handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    const int x = icon.left + (icon.right - icon.left - strip::thumbnail_width) / 2;
    const int y = icon.top + (icon.bottom - icon.top - strip::thumbnail_height) / 2;
    ImageList_Draw(images_.get(), item.iImage, dc, x, y, ILD_NORMAL);
    const std::wstring text = caption(index);
    SelectedObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label, DT_CENTER | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
}

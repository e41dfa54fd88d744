// The thumbnail strip with picture folders written by the sample card writer, under Wine.
#include "panels/Thumbnail.h"
#include "ResourceIds.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "image/Image.h"
#include "panels/IThumbnailOwner.h"
#include "panels/ImageListView.h"
#include "samplecard/CardWriter.h"
#include "samplecard/PictureRecording.h"
#include "support/LoaderProbes.h"
#include "support/TempFolder.h"
#include "support/TestZone.h"
#include "support/UiTestSupport.h"
#include "ui/AlphaImage.h"
#include "ui/ImageButton.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <vector>

namespace {

// Stands in for the main window: keeps what the strip asked of it.
class Owner : public IThumbnailOwner {
public:
    void show_picture(int index) override { shown.push_back(index); }
    void thumbnail_folder_gone() override { ++folders_gone; }

    std::vector<int> shown;
    int folders_gone = 0;
};

// The pixels of thumbnail `index` as the image list holds them (blue, green, red per pixel,
// bottom row first).
std::vector<uint8_t> thumbnail_pixels(HWND list, int index)
{
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 71;
    info.bmiHeader.biHeight = 53;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, section);
    ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL);
    GdiFlush();
    std::vector<uint8_t> pixels;
    const auto* bytes = static_cast<const uint8_t*>(bits);
    for (int i = 0; i < 71 * 53; ++i) {
        pixels.insert(pixels.end(), bytes + i * 4, bytes + i * 4 + 3);
    }
    SelectObject(dc, previous);
    DeleteObject(section);
    DeleteDC(dc);
    return pixels;
}

std::vector<uint8_t> picture_pixels(const Image& picture)
{
    std::vector<uint8_t> pixels;
    for (size_t i = 0; i + 3 < picture.size(); i += 4) {
        pixels.insert(pixels.end(), picture.pixels() + i, picture.pixels() + i + 3);
    }
    return pixels;
}

// Which of the four buttons can be pressed, first, previous, next, last.
std::vector<bool> enabled_buttons(Thumbnail& strip)
{
    std::vector<bool> enabled;
    for (Thumbnail::Step step : {Thumbnail::Step::first, Thumbnail::Step::previous, Thumbnail::Step::next,
                                 Thumbnail::Step::last}) {
        enabled.push_back(IsWindowEnabled(strip.button(step).handle()) != FALSE);
    }
    return enabled;
}

void click(Thumbnail& strip, Thumbnail::Step step)
{
    HWND button = strip.button(step).handle();
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

const std::vector<bool> none_enabled{false, false, false, false};

class ThumbnailTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        use_recorder_time_zone();
        // The image folder of the card the run command opens: twenty 640 x 480 pictures taken
        // one to fifteen minutes apart.
        card_ = new TempFolder;
        samplecard::write_image_folder(card_images(), 1, 20, samplecard::PictureFormat{},
                                       samplecard::CivilTime{2026, 12, 8, 10, 12, 0});
    }
    static void TearDownTestSuite()
    {
        delete card_;
        card_ = nullptr;
    }

    ThumbnailTest()
    {
        strip_ = new Thumbnail(host_.get(), owner_);
        MoveWindow(strip_->handle(), 0, 0, 880, 90, TRUE);
        list_ = strip_->list().handle();
    }
    ~ThumbnailTest() override
    {
        DestroyWindow(strip_->handle());
        pumpPending();
    }

    static std::wstring card_images() { return card_->file(L"IMAGE\\0001"); }

    bool loaded(DWORD timeout_ms = 30000) { return pumpUntil([&] { return strip_->finished(); }, timeout_ms); }

    // A folder of `count` small pictures a minute apart from 2026/12/08 09:00:00, with picture
    // `number` (counted from 1) written as `odd` asks.
    std::wstring folder_of(int count, int odd_number = 0, samplecard::PictureOptions odd = {},
                           samplecard::PictureFormat format = {64, 48, 50})
    {
        const std::wstring folder = own_.file(L"PICTURES");
        make_folder(folder);
        for (int number = 1; number <= count; ++number) {
            samplecard::PictureOptions options = number == odd_number ? odd : samplecard::PictureOptions{};
            options.seed = static_cast<uint64_t>(number);
            options.number = number;
            options.picture = format;
            if (!options.invalid_date) {
                options.time = samplecard::CivilTime{2026, 12, 8, 9, 0, 0}.plus_seconds(60 * number);
            }
            write_bytes(join(folder, samplecard::picture_name(1, number)), samplecard::make_picture(options).bytes);
        }
        return folder;
    }
    static std::wstring join(const std::wstring& folder, const std::wstring& name) { return folder + L"\\" + name; }

    static TempFolder* card_;
    TempFolder own_;
    HostWindow host_{0, 0, 880, 90};
    MessageRecorder messages_;
    Owner owner_;
    Thumbnail* strip_ = nullptr;
    HWND list_ = nullptr;
};

TempFolder* ThumbnailTest::card_ = nullptr;

TEST_F(ThumbnailTest, TheCardsPicturesArriveInOrderWithTheirCaptionsAndTheFirstIsShown)
{
    EXPECT_FALSE(strip_->open(card_images()));
    EXPECT_EQ(strip_->total(), 20);
    EXPECT_LT(strip_->added(), 20) << "thumbnails arrive in the background";
    EXPECT_EQ(enabled_buttons(*strip_), none_enabled);

    ASSERT_TRUE(loaded());
    ImageListView& list = strip_->list();
    ASSERT_EQ(list.count(), 20);
    EXPECT_EQ(list.picture_count(), 20);
    // The card's pictures are dated and come one to fifteen minutes apart, in picture order.
    const std::wstring caption = list.caption(0);
    ASSERT_EQ(caption.size(), 19u);
    EXPECT_EQ(caption.substr(0, 2), L"20");
    for (size_t i : {4u, 7u}) {
        EXPECT_EQ(caption[i], L'/');
    }
    for (size_t i : {13u, 16u}) {
        EXPECT_EQ(caption[i], L':');
    }
    for (int i = 1; i < 20; ++i) {
        EXPECT_LT(list.caption(i - 1), list.caption(i)) << i;
    }
    EXPECT_EQ(strip_->picture_name(0), L"1-001.dpc");
    EXPECT_EQ(strip_->picture_name(19), L"1-020.dpc");
    EXPECT_EQ(strip_->picture_name(20), L"");
    // Every thumbnail stands in the one row.
    POINT first{}, second{};
    SendMessageW(list_, LVM_GETITEMPOSITION, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageW(list_, LVM_GETITEMPOSITION, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(first.y, second.y);
    EXPECT_GT(second.x, first.x + 70);

    EXPECT_EQ(owner_.shown, std::vector<int>{0});
    EXPECT_EQ(strip_->selected(), 0);
    // The buttons stand at the ends of the 880-wide strip, the list in its middle.
    RECT last{};
    GetWindowRect(strip_->button(Thumbnail::Step::last).handle(), &last);
    MapWindowPoints(nullptr, strip_->handle(), reinterpret_cast<POINT*>(&last), 2);
    EXPECT_EQ(last.left, 880 - 36);
    EXPECT_EQ(last.top, 31);
    RECT shown_list{};
    GetWindowRect(list_, &shown_list);
    MapWindowPoints(nullptr, strip_->handle(), reinterpret_cast<POINT*>(&shown_list), 2);
    EXPECT_EQ(shown_list.left, 440 - 253);
    EXPECT_EQ(enabled_buttons(*strip_), (std::vector<bool>{false, false, true, true}));
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(ThumbnailTest, TheStepsSelectAndOpenTheRightPicture)
{
    strip_->open(card_images());
    ASSERT_TRUE(loaded());
    owner_.shown.clear();
    click(*strip_, Thumbnail::Step::last);
    EXPECT_EQ(enabled_buttons(*strip_), (std::vector<bool>{true, true, false, false}));
    strip_->step(Thumbnail::Step::next); // nothing beyond the last
    click(*strip_, Thumbnail::Step::previous);
    click(*strip_, Thumbnail::Step::first);
    strip_->step(Thumbnail::Step::previous); // nothing before the first
    click(*strip_, Thumbnail::Step::next);
    EXPECT_EQ(owner_.shown, (std::vector<int>{19, 18, 0, 1}));
    EXPECT_EQ(strip_->selected(), 1);
    EXPECT_EQ(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 1);
    EXPECT_EQ(enabled_buttons(*strip_), (std::vector<bool>{true, true, true, true}));
}

TEST_F(ThumbnailTest, ArrowKeysMoveTheSelectionAndOtherKeysAreSwallowed)
{
    strip_->open(card_images());
    ASSERT_TRUE(loaded());
    owner_.shown.clear();
    SendMessageW(list_, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(list_, WM_KEYUP, VK_RIGHT, 0);
    SendMessageW(list_, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(strip_->selected(), 2);
    SendMessageW(list_, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(strip_->selected(), 1);
    // The row stays at the top, whole thumbnails in view.
    RECT icon{};
    icon.left = LVIR_ICON;
    SendMessageW(list_, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&icon));
    EXPECT_GE(icon.top, 0);
    // Keys the control would act on itself.
    for (WPARAM key : {VK_END, VK_HOME, VK_NEXT, VK_DOWN, VK_SPACE}) {
        SendMessageW(list_, WM_KEYDOWN, key, 0);
        SendMessageW(list_, WM_KEYUP, key, 0);
    }
    SendMessageW(list_, WM_CHAR, L'1', 0); // the control's search by caption
    EXPECT_EQ(strip_->selected(), 1);
    EXPECT_EQ(owner_.shown, (std::vector<int>{1, 2, 1}));
}

// The whole row is placed at once when a batch arrives: the control must then scroll sideways
// (a vertical scroll bar left from the stacked batch would keep the row from moving).
TEST_F(ThumbnailTest, ScrollingMovesByWholeThumbnailsAndComesToRestOnOne)
{
    strip_->open(card_images());
    ASSERT_TRUE(loaded());
    ImageListView& list = strip_->list();
    RECT view{};
    SendMessageW(list_, LVM_GETVIEWRECT, 0, reinterpret_cast<LPARAM>(&view));
    const int width = (view.right - view.left) / 20;
    ASSERT_GT(width, 70);
    // The row stands by the items' boxes, side by side from the left edge, so that the first
    // caption is whole.
    POINT origin{};
    SendMessageW(list_, LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&origin));
    for (int index : {0, 1, 19}) {
        RECT box{};
        box.left = LVIR_BOUNDS;
        SendMessageW(list_, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&box));
        EXPECT_EQ(box.left + origin.x, index * (box.right - box.left + 2)) << index;
        EXPECT_EQ(box.top + origin.y, 0) << index;
    }
    const int start = list.scroll_position();
    SendMessageW(list_, WM_HSCROLL, SB_LINERIGHT, 0);
    SendMessageW(list_, WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(list.scroll_position(), start + 2 * width);
    SendMessageW(list_, WM_HSCROLL, SB_LINELEFT, 0);
    EXPECT_EQ(list.scroll_position(), start + width);

    // Dragged to somewhere between two thumbnails: on to the next one's start.
    SendMessageW(list_, LVM_SCROLL, width * 3 + 20 - list.scroll_position(), 0);
    ASSERT_EQ(list.scroll_position(), width * 3 + 20);
    SendMessageW(list_, WM_HSCROLL, SB_ENDSCROLL, 0);
    EXPECT_EQ(list.scroll_position(), width * 4 - 3);
    // The mouse wheel is no way to scroll the strip.
    SendMessageW(list_, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(list.scroll_position(), width * 4 - 3);
    // A mouse move over the strip snaps as well.
    SendMessageW(list_, LVM_SCROLL, -10, 0);
    SendMessageW(list_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(list.scroll_position(), width * 4 - 3);
}

TEST_F(ThumbnailTest, TheSelectedThumbnailIsDrawnWithoutTheSelectedLook)
{
    strip_->open(card_images());
    ASSERT_TRUE(loaded());
    ASSERT_EQ(SendMessageW(list_, LVM_GETITEMSTATE, 0, LVIS_SELECTED | LVIS_FOCUSED), LVIS_SELECTED | LVIS_FOCUSED);
    SetFocus(list_);
    RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    pumpPending();
    RECT icon{};
    icon.left = LVIR_ICON;
    SendMessageW(list_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&icon));
    const int x = icon.left + (icon.right - icon.left - 71) / 2;
    const int y = icon.top + (icon.bottom - icon.top - 53) / 2;
    const std::vector<uint8_t> thumbnail = thumbnail_pixels(list_, 0);
    // A few points of the picture, on screen exactly as the image list holds them.
    for (const POINT& at : {POINT{10, 10}, POINT{35, 26}, POINT{60, 45}}) {
        const size_t i = (static_cast<size_t>(52 - at.y) * 71 + static_cast<size_t>(at.x)) * 3;
        EXPECT_EQ(pixelOf(list_, x + at.x, y + at.y), RGB(thumbnail[i + 2], thumbnail[i + 1], thumbnail[i]))
            << at.x << "," << at.y;
    }
}

TEST_F(ThumbnailTest, AnUndecodablePictureShowsImage447AndANoTimePictureDashes)
{
    samplecard::PictureOptions cut;
    cut.truncate_to = 300; // its block header is whole, its picture is not
    std::wstring folder = folder_of(4, 3, cut);
    samplecard::PictureOptions undated;
    undated.invalid_date = true;
    undated.seed = 9;
    undated.number = 9;
    undated.picture = {64, 48, 50};
    write_bytes(join(folder, samplecard::picture_name(1, 9)), samplecard::make_picture(undated).bytes);

    strip_->open(folder);
    ASSERT_TRUE(loaded());
    ImageListView& list = strip_->list();
    ASSERT_EQ(list.count(), 5);
    // Without a time the picture sorts first.
    EXPECT_EQ(strip_->picture_name(0), L"1-009.dpc");
    EXPECT_EQ(list.caption(0), L"----/--/-- --:--:--");
    EXPECT_EQ(list.caption(1), L"2026/12/08 09:01:00");
    EXPECT_EQ(strip_->picture_name(3), L"1-003.dpc");
    EXPECT_EQ(list.caption(3), L"2026/12/08 09:03:00") << "the caption of a broken picture still shows";

    const AlphaImage undecodable(447);
    ASSERT_TRUE(undecodable.hasPicture());
    const std::vector<uint8_t> expected = picture_pixels(*undecodable.image());
    EXPECT_TRUE(thumbnail_pixels(list_, 3) == expected);
    EXPECT_FALSE(thumbnail_pixels(list_, 2) == expected);
    EXPECT_FALSE(thumbnail_pixels(list_, 0) == expected) << "a picture without a time still decodes";
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(ThumbnailTest, AFolderOfMoreThan600ListsTheFirst600)
{
    const std::wstring folder = folder_of(601, 0, {}, {16, 16, 30});
    EXPECT_TRUE(strip_->open(folder));
    EXPECT_EQ(strip_->total(), 600);
    ASSERT_TRUE(loaded(100000)) << strip_->added() << " added";
    EXPECT_EQ(strip_->list().count(), 600);
    EXPECT_EQ(strip_->list().caption(599), L"2026/12/08 19:00:00");
    strip_->step(Thumbnail::Step::last);
    EXPECT_EQ(strip_->selected(), 599);
}

TEST_F(ThumbnailTest, AFolderRemovedWhileLoadingStopsWithItsMessage)
{
    const std::wstring folder = folder_of(200);
    strip_->open(folder);
    // Moved while the first picture is on its way: the strip asks for each next picture as the
    // one before arrives, so that a folder of small pictures loads within one pass of the queue.
    rename_path(folder, own_.file(L"MOVED"));
    ASSERT_TRUE(pumpUntil([&] { return !messages_.shown().empty(); }));
    EXPECT_EQ(messages_.shown()[0].text, load_text(texts::folder_moved));
    EXPECT_EQ(owner_.folders_gone, 1);
    EXPECT_FALSE(strip_->finished());
    EXPECT_EQ(enabled_buttons(*strip_), none_enabled);
    // Nothing more is asked for: the strip keeps what had arrived.
    const int added = strip_->added();
    EXPECT_LT(added, 200);
    EXPECT_EQ(strip_->list().count(), added);
    ASSERT_TRUE(pumpUntil([&] { return loader_at_rest(strip_->handle(), strip_->loader()); }));
    EXPECT_EQ(strip_->added(), added);
    EXPECT_EQ(messages_.shown().size(), 1u);
}

TEST_F(ThumbnailTest, OpeningAnotherFolderWhileLoadingListsOnlyThatFolder)
{
    const std::wstring other = folder_of(3);
    strip_->open(card_images());
    // Opened again while the first folder's first picture is on its way (the strip asks for each
    // next picture as the one before arrives: a pass of the queue may load a whole folder).
    EXPECT_FALSE(strip_->open(other));
    ASSERT_TRUE(loaded());
    ASSERT_EQ(strip_->list().count(), 3);
    EXPECT_EQ(strip_->list().caption(0), L"2026/12/08 09:01:00");
    EXPECT_EQ(owner_.shown, std::vector<int>{0});
}

TEST_F(ThumbnailTest, AFolderWithoutReadablePicturesIsRefused)
{
    const std::wstring folder = own_.file(L"EMPTY");
    make_folder(folder);
    write_bytes(join(folder, L"1-001.dpc"), {1, 2, 3});
    try {
        strip_->open(folder);
        FAIL() << "no exception";
    } catch (const ThumbnailException& failure) {
        EXPECT_EQ(failure.message(), load_text(texts::data_unreadable));
    }
    EXPECT_EQ(strip_->total(), 0);
    EXPECT_EQ(strip_->list().count(), 0);
    strip_->step(Thumbnail::Step::last);
    EXPECT_TRUE(owner_.shown.empty());
}

} // namespace


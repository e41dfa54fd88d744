#include "panels/LapDialog.h"

#include "panels/LapListOwner.h"
#include "panels/LapMeasurement.h"
#include "panels/LapText.h"
#include "ui/WindowUtilities.h"

#include "ResourceIds.h"

namespace {

constexpr int client_width = 208;
constexpr int client_height = 270;
constexpr RECT close_button{64, 238, 144, 262};
constexpr int divider_y = 190;
constexpr int divider_left = 15;
constexpr int divider_right = 193;

HFONT make_font(int height, DWORD pitch_and_family, const wchar_t* face)
{
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitch_and_family, face);
}

} // namespace

LapDialog::LapDialog(const LapMeasurement& laps, LapListOwner& owner)
    : Dialog(IDD_LAP_LIST), laps_(laps), owner_(owner)
{
}

LapDialog::~LapDialog() { close(); }

HWND LapDialog::show(HWND owner)
{
    if (open_) {
        ShowWindow(handle(), SW_SHOW);
        return handle();
    }
    HWND window = createModeless(owner, SW_SHOW);
    open_ = window != nullptr;
    return window;
}

void LapDialog::close()
{
    if (open_) {
        DestroyWindow(handle());
    }
}

void LapDialog::repaint()
{
    if (open_) {
        SendMessageW(handle(), repaint_message, 0, 0);
    }
}

INT_PTR LapDialog::dialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        on_init_dialog();
        return TRUE;
    case WM_PAINT:
        on_paint();
        return TRUE;
    case repaint_message:
        InvalidateRect(handle(), nullptr, TRUE);
        UpdateWindow(handle());
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            on_close_command();
            return TRUE;
        }
        break;
    case WM_DESTROY:
        on_destroy();
        return TRUE;
    default:
        break;
    }
    return Dialog::dialogProc(message, wParam, lParam);
}

void LapDialog::on_init_dialog()
{
    open_ = true;
    // The list is drawn in pixels, so its client area and button are placed in pixels too.
    RECT outer{0, 0, client_width, client_height};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(handle(), GWL_EXSTYLE)));
    SetWindowPos(handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND button = GetDlgItem(handle(), IDOK);
    MoveWindow(button, close_button.left, close_button.top, close_button.right - close_button.left,
               close_button.bottom - close_button.top, FALSE);
    button_font_.reset(make_font(14, FF_MODERN, L"MS UI Gothic"));
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(button_font_.get()), FALSE);
    text_font_.reset(make_font(14, DEFAULT_PITCH, L"ＭＳ ゴシック"));
    if (owner() != nullptr) {
        centreWindow(handle(), owner());
    }
}

void LapDialog::on_paint()
{
    PaintDc paint(handle());
    HDC dc = paint.get();
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    {
        GdiObject<HPEN> white(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
        SelectedObject pen(dc, white.get());
        MoveToEx(dc, divider_left, divider_y, nullptr);
        LineTo(dc, divider_right, divider_y);
    }
    SelectedObject font(dc, text_font_.get());
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    for (int lap = 1; lap <= LapMeasurement::max_laps; ++lap) {
        const std::wstring row = lap_text::lap_row(laps_, lap);
        TextOutW(dc, row_x, first_row_y + row_pitch * (lap - 1), row.c_str(), static_cast<int>(row.size()));
    }
    const std::wstring total = lap_text::total_row(laps_);
    TextOutW(dc, total_place.x, total_place.y, total.c_str(), static_cast<int>(total.size()));
}

void LapDialog::on_close_command()
{
    owner_.lap_list_closed();
    DestroyWindow(handle());
}

void LapDialog::on_destroy() { open_ = false; }

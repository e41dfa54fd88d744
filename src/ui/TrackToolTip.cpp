#include "ui/TrackToolTip.h"

#include <commctrl.h>

#include <cstddef>

namespace {

// The tool record as the tooltip control has always read it (no reserved field at the end); its
// size follows the width of the pointers in it (44 bytes on 32-bit Windows, 72 on 64-bit).
constexpr UINT toolInfoSize = offsetof(TOOLINFOW, lParam) + sizeof(TOOLINFOW::lParam);
constexpr size_t longestTip = 256;

} // namespace

TrackToolTip::TrackToolTip(HWND parent) : parent_(parent)
{
    CreationRecord record;
    record.className = TOOLTIPS_CLASSW;
    record.style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX;
    record.x = CW_USEDEFAULT;
    record.y = CW_USEDEFAULT;
    record.width = CW_USEDEFAULT;
    record.height = CW_USEDEFAULT;
    record.parent = parent;
    create(record);
    SetWindowPos(handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TOOLINFOW TrackToolTip::toolOf(HWND window, const std::wstring* text) const
{
    TOOLINFOW tool{};
    tool.cbSize = toolInfoSize;
    tool.hwnd = parent_;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    if (text != nullptr) {
        tool.lpszText = const_cast<wchar_t*>(text->c_str());
    }
    return tool;
}

void TrackToolTip::addButtonTool(const std::wstring& text, HWND button)
{
    TOOLINFOW tool = toolOf(button, &text);
    GetWindowRect(button, &tool.rect);
    SendMessageW(handle(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TrackToolTip::addTrackingTool(HWND window, const std::wstring& text)
{
    TOOLINFOW tool = toolOf(window, &text);
    tool.uFlags |= TTF_TRACK;
    SendMessageW(handle(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TrackToolTip::show(HWND window, const std::wstring& text)
{
    setText(window, text);
    TOOLINFOW tool = toolOf(window);
    SendMessageW(handle(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    tracking_ = true;
}

void TrackToolTip::hide(HWND window)
{
    TOOLINFOW tool = toolOf(window);
    SendMessageW(handle(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    tracking_ = false;
}

void TrackToolTip::setText(HWND window, const std::wstring& text)
{
    TOOLINFOW tool = toolOf(window, &text);
    SendMessageW(handle(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TrackToolTip::move(int x, int y)
{
    SendMessageW(handle(), TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
}

std::wstring TrackToolTip::text(HWND window) const
{
    wchar_t buffer[longestTip] = {};
    TOOLINFOW tool = toolOf(window);
    tool.lpszText = buffer;
    SendMessageW(handle(), TTM_GETTEXTW, longestTip, reinterpret_cast<LPARAM>(&tool));
    return buffer;
}

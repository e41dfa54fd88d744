#include "ui/LinkLabel.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "platform/Messages.h"
#include "platform/ShellOpen.h"
#include "platform/WindowsError.h"
#include "ResourceIds.h"

#include <vector>

LinkLabel::LinkLabel(HWND control) : Label(control)
{
    if (handle() == nullptr) {
        return;
    }
    if (const auto font = reinterpret_cast<HFONT>(SendMessageW(handle(), WM_GETFONT, 0, 0))) {
        LOGFONTW description{};
        if (GetObjectW(font, sizeof description, &description) == sizeof description) {
            description.lfUnderline = TRUE;
            underlined_.reset(CreateFontIndirectW(&description));
            if (underlined_) {
                SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(underlined_.get()), TRUE);
            }
        }
    }
    std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(handle())) + 1, L'\0');
    GetWindowTextW(handle(), text.data(), static_cast<int>(text.size()));
    setText(text.data());
    InvalidateRect(handle(), nullptr, TRUE);
    setColour(linkColour);
}

LinkLabel::~LinkLabel() = default;

LRESULT LinkLabel::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return 0;
    case WM_LBUTTONUP:
        onButtonUp();
        return 0;
    default:
        return Label::windowProc(message, wParam, lParam);
    }
}

void LinkLabel::onButtonUp()
{
    try {
        openSupportPage();
    } catch (const Exception&) {
        // No browser answered: the address, to be opened by hand, over the dialog.
        show_message(GetParent(handle()), format_text(texts::support_page_not_opened, load_text(texts::support_address)),
                     texts::caption_warning, warning_icon);
    }
}

void openSupportPage()
{
    const std::wstring address = load_text(texts::support_address);
    if (address.empty()) {
        throw format_error(GetLastError());
    }
    shell_open(address.substr(0, MAX_PATH - 1));
}

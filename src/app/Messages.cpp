#include "app/Messages.h"

#include "app/Exception.h"
#include "app/Text.h"

int show_message(HWND owner, const std::wstring& text, int caption_id, UINT style)
{
    return MessageBoxW(owner, text.c_str(), load_text(caption_id).c_str(), style);
}

void show_warning(HWND owner, const std::wstring& text)
{
    show_message(owner, text, 5005, MB_ICONWARNING); // "警告"
}

int run_outermost(const std::function<int()>& body)
{
    try {
        return body();
    } catch (const Exception& failure) {
        show_message(nullptr, failure.message(), 5018, MB_ICONERROR); // "エラー"
    } catch (const DataMissingException&) {
        // already reported to the user
    } catch (...) {
        show_message(nullptr, load_text(5057), 5018, MB_ICONERROR);
    }
    return 0;
}

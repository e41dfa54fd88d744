#include "platform/Messages.h"

#include "base/Exception.h"
#include "base/Text.h"

namespace {
MessageHandler message_handler = nullptr;
}

int show_message(HWND owner, const std::wstring& text, int caption_id, UINT style)
{
    if (message_handler != nullptr) {
        return message_handler(owner, text, caption_id, style);
    }
    return MessageBoxW(owner, text.c_str(), load_text(caption_id).c_str(), style);
}

MessageHandler set_message_handler(MessageHandler handler)
{
    const MessageHandler previous = message_handler;
    message_handler = handler;
    return previous;
}

void show_warning(HWND owner, const std::wstring& text)
{
    show_message(owner, text, 5005, MB_ICONWARNING); // "警告"
}

void show_current_failure()
{
    try {
        throw;
    } catch (const Exception& failure) {
        show_message(nullptr, failure.message(), 5018, MB_ICONERROR); // "エラー"
    } catch (const DataMissingException&) {
        // already reported to the user
    } catch (...) {
        show_message(nullptr, load_text(5057), 5018, MB_ICONERROR);
    }
}

int run_outermost(const std::function<int()>& body)
{
    try {
        return body();
    } catch (...) {
        show_current_failure();
    }
    return 0;
}

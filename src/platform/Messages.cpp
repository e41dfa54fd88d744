#include "platform/Messages.h"

#include "base/Exception.h"
#include "base/Text.h"

namespace {
MessageHandler message_handler = nullptr;
}

int show_message(MessageOwner owner, const std::wstring& text, int caption_id, unsigned style)
{
    if (message_handler != nullptr) {
        return message_handler(owner, text, caption_id, style);
    }
    return show_system_message(owner, text, load_text(caption_id), style);
}

MessageHandler set_message_handler(MessageHandler handler)
{
    const MessageHandler previous = message_handler;
    message_handler = handler;
    return previous;
}

void show_warning(MessageOwner owner, const std::wstring& text)
{
    show_message(owner, text, texts::caption_warning, warning_icon);
}


void show_current_failure()
{
    try {
        throw;
    } catch (const Exception& failure) {
        show_message(nullptr, failure.message(), texts::caption_error, error_icon);
    } catch (const DataMissingException&) {
        // already reported to the user
    } catch (...) {
        show_message(nullptr, load_text(texts::application_error), texts::caption_error, error_icon);
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

#pragma once
// The viewer's failures. Each carries its finished, user-visible message; catch sites
// show that message and do nothing else with it.
#include <string>
#include <type_traits>
#include <utility>

class Exception {
public:
    explicit Exception(std::wstring message) : message_(std::move(message)) {}
    virtual ~Exception() = default;
    Exception(const Exception&) = default;
    Exception& operator=(const Exception&) = default;

    const std::wstring& message() const { return message_; }

private:
    std::wstring message_;
};

// The derived kinds carry nothing of their own; they are told apart only by type.
#define TARVO_EXCEPTION_KIND(Name)                                   \
    class Name : public Exception {                                  \
    public:                                                          \
        explicit Name(std::wstring message) : Exception(std::move(message)) {} \
    };

TARVO_EXCEPTION_KIND(WindowException)
TARVO_EXCEPTION_KIND(IOException)
TARVO_EXCEPTION_KIND(SystemException)
TARVO_EXCEPTION_KIND(ImageException)
TARVO_EXCEPTION_KIND(ImageListViewException)
TARVO_EXCEPTION_KIND(VideoArchiveException)
TARVO_EXCEPTION_KIND(ThumbnailException)
TARVO_EXCEPTION_KIND(WaveAudioException)
TARVO_EXCEPTION_KIND(FirmInfoException)
#undef TARVO_EXCEPTION_KIND

// Thrown after the user has already been told what went wrong; every catcher ends the
// current operation silently. Deliberately not an Exception.
class DataMissingException {};
static_assert(!std::is_base_of_v<Exception, DataMissingException>,
              "a vanished recording must not be caught as an ordinary failure");

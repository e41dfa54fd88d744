// What the file works alike on every system: ownership of the open file.
#include "platform/File.h"

#include <utility>

File::~File() { close(); }

File::File(File&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

bool File::is_open() const { return handle_ != nullptr; }

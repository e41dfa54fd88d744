#include "platform/File.h"

#include "base/Text.h"

#include <cstdio>
#include <unistd.h>
#include <utility>

namespace {
FILE* as_stream(void* handle) { return static_cast<FILE*>(handle); }
} // namespace

File File::open_shared_read(const std::wstring& path)
{
    File file;
    file.handle_ = std::fopen(to_narrow(path).c_str(), "rb");
    return file;
}

File File::create_exclusive_write(const std::wstring& path)
{
    File file;
    file.handle_ = std::fopen(to_narrow(path).c_str(), "wb");
    return file;
}

File File::create_shared_write(const std::wstring& path)
{
    File file;
    file.handle_ = std::fopen(to_narrow(path).c_str(), "wb");
    return file;
}

bool File::flush()
{
    return is_open() && std::fflush(as_stream(handle_)) == 0 && fsync(fileno(as_stream(handle_))) == 0;
}

void File::close()
{
    if (handle_ != nullptr) {
        std::fclose(as_stream(handle_));
        handle_ = nullptr;
    }
}

size_t File::read(void* buffer, size_t size)
{
    return is_open() ? std::fread(buffer, 1, size, as_stream(handle_)) : 0;
}

bool File::write(const void* data, size_t size)
{
    return is_open() && std::fwrite(data, 1, size, as_stream(handle_)) == size;
}

bool File::seek(int64_t offset)
{
    return is_open() && offset >= 0 && fseeko(as_stream(handle_), static_cast<off_t>(offset), SEEK_SET) == 0;
}

int64_t File::tell() const
{
    return is_open() ? static_cast<int64_t>(ftello(as_stream(handle_))) : -1;
}

int64_t File::size() const
{
    if (!is_open()) {
        return -1;
    }
    FILE* stream = as_stream(handle_);
    const off_t here = ftello(stream);
    if (here < 0 || fseeko(stream, 0, SEEK_END) != 0) {
        return -1;
    }
    const off_t length = ftello(stream);
    fseeko(stream, here, SEEK_SET);
    return static_cast<int64_t>(length);
}

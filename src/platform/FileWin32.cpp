#include "platform/File.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace {
HANDLE as_handle(void* handle)
{
    return handle == nullptr ? INVALID_HANDLE_VALUE : static_cast<HANDLE>(handle);
}
} // namespace

File File::open_shared_read(const std::wstring& path)
{
    File file;
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        file.handle_ = handle;
    }
    return file;
}

File File::create_exclusive_write(const std::wstring& path)
{
    File file;
    const HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        file.handle_ = handle;
    }
    return file;
}

File File::create_shared_write(const std::wstring& path)
{
    File file;
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        file.handle_ = handle;
    }
    return file;
}

bool File::flush()
{
    return is_open() && FlushFileBuffers(as_handle(handle_)) != FALSE;
}

void File::close()
{
    if (handle_ != nullptr) {
        CloseHandle(as_handle(handle_));
        handle_ = nullptr;
    }
}

size_t File::read(void* buffer, size_t size)
{
    auto* out = static_cast<char*>(buffer);
    size_t total = 0;
    while (is_open() && total < size) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - total, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(as_handle(handle_), out + total, chunk, &got, nullptr) || got == 0) {
            break;
        }
        total += got;
    }
    return total;
}

bool File::write(const void* data, size_t size)
{
    const auto* in = static_cast<const char*>(data);
    size_t total = 0;
    while (is_open() && total < size) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - total, 1u << 30));
        DWORD put = 0;
        if (!WriteFile(as_handle(handle_), in + total, chunk, &put, nullptr) || put == 0) {
            return false;
        }
        total += put;
    }
    return total == size;
}

bool File::seek(int64_t offset)
{
    LARGE_INTEGER target;
    target.QuadPart = offset;
    return is_open() && offset >= 0 && SetFilePointerEx(as_handle(handle_), target, nullptr, FILE_BEGIN) != FALSE;
}

int64_t File::tell() const
{
    LARGE_INTEGER zero{};
    LARGE_INTEGER position{};
    if (!is_open() || !SetFilePointerEx(as_handle(handle_), zero, &position, FILE_CURRENT)) {
        return -1;
    }
    return position.QuadPart;
}

int64_t File::size() const
{
    LARGE_INTEGER length{};
    if (!is_open() || !GetFileSizeEx(as_handle(handle_), &length)) {
        return -1;
    }
    return length.QuadPart;
}

#include "playback/MmioWriteBuffer.h"

#include "platform/SystemHandles.h"

#include <mmsystem.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

namespace {

std::atomic<bool> write_failed{false};

// One open file: where the buffer stands in it and where the next read or write goes.
struct BufferedFile {
    KernelHandle file;
    std::vector<char> buffer = std::vector<char>(MmioWriteBuffer::buffer_bytes);
    LONG buffer_start = 0; // file offset of buffer[0]
    LONG buffered = 0;     // bytes of the buffer to be written
    LONG position = 0;

    bool write_at(LONG offset, const char* data, LONG size)
    {
        DWORD written = 0;
        if (SetFilePointer(file.get(), offset, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
            !WriteFile(file.get(), data, static_cast<DWORD>(size), &written, nullptr) ||
            written != static_cast<DWORD>(size)) {
            write_failed = true;
            return false;
        }
        return true;
    }

    bool flush()
    {
        const bool ok = buffered == 0 || write_at(buffer_start, buffer.data(), buffered);
        buffered = 0;
        return ok;
    }

    LONG write(const char* data, LONG size)
    {
        const LONG capacity = static_cast<LONG>(buffer.size());
        // Within what is buffered, or right behind it, and it fits: into the buffer.
        if (buffered == 0) {
            buffer_start = position;
        }
        const LONG at = position - buffer_start;
        if (at < 0 || at > buffered || at + size > capacity) {
            if (!flush()) {
                return -1;
            }
            buffer_start = position;
        }
        if (size >= capacity) {
            if (!write_at(position, data, size)) {
                return -1;
            }
        } else {
            const LONG offset = position - buffer_start;
            std::memcpy(buffer.data() + offset, data, static_cast<size_t>(size));
            buffered = std::max(buffered, offset + size);
        }
        position += size;
        return size;
    }

    LONG read(char* data, LONG size)
    {
        DWORD got = 0;
        if (!flush() || SetFilePointer(file.get(), position, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
            !ReadFile(file.get(), data, static_cast<DWORD>(size), &got, nullptr)) {
            return -1;
        }
        position += static_cast<LONG>(got);
        return static_cast<LONG>(got);
    }

    LONG end() const
    {
        const DWORD size = GetFileSize(file.get(), nullptr);
        return std::max(static_cast<LONG>(size), buffer_start + buffered);
    }
};

// The file object lives in the record's user words: a pointer takes two of them on 64-bit Windows.
static_assert(sizeof(BufferedFile*) <= sizeof(MMIOINFO::adwInfo));

BufferedFile* file_of(const MMIOINFO& info)
{
    BufferedFile* file = nullptr;
    std::memcpy(&file, info.adwInfo, sizeof file);
    return file;
}

void keep_file(MMIOINFO& info, BufferedFile* file) { std::memcpy(info.adwInfo, &file, sizeof file); }

LRESULT open_file(MMIOINFO& info, const char* routed)
{
    std::string path = routed != nullptr ? routed : "";
    if (!path.empty() && path.back() == '+') {
        path.pop_back();
    }
    const bool create = (info.dwFlags & MMIO_CREATE) != 0;
    auto* file = new BufferedFile;
    file->file.reset(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file->file) {
        delete file;
        return MMIOERR_CANNOTOPEN;
    }
    keep_file(info, file);
    info.lDiskOffset = 0;
    return MMSYSERR_NOERROR;
}

LRESULT CALLBACK buffered_io(LPSTR info_bytes, UINT message, LPARAM first, LPARAM second)
{
    MMIOINFO& info = *reinterpret_cast<MMIOINFO*>(info_bytes);
    if (message == MMIOM_OPEN) {
        return open_file(info, reinterpret_cast<const char*>(first));
    }
    BufferedFile* file = file_of(info);
    if (file == nullptr) {
        return -1;
    }
    LRESULT result = 0;
    switch (message) {
    case MMIOM_CLOSE:
        result = file->flush() ? 0 : MMIOERR_CANNOTWRITE;
        delete file;
        keep_file(info, nullptr);
        return result;
    case MMIOM_READ:
        result = file->read(reinterpret_cast<char*>(first), static_cast<LONG>(second));
        break;
    case MMIOM_WRITE:
    case MMIOM_WRITEFLUSH:
        result = file->write(reinterpret_cast<const char*>(first), static_cast<LONG>(second));
        if (message == MMIOM_WRITEFLUSH && !file->flush()) {
            result = -1;
        }
        break;
    case MMIOM_SEEK: {
        const LONG offset = static_cast<LONG>(first);
        const LONG base = second == SEEK_CUR ? file->position : second == SEEK_END ? file->end() : 0;
        file->position = base + offset;
        result = file->position;
        break;
    }
    default:
        return MMIOERR_UNBUFFERED; // renaming and the rest: not offered
    }
    info.lDiskOffset = file->position;
    return result;
}

constexpr FOURCC procedure_code = mmioFOURCC('P', 'A', 'R', 'T');

} // namespace

std::wstring MmioWriteBuffer::routed_name(const std::wstring& path)
{
    static const bool installed = mmioInstallIOProcA(procedure_code, buffered_io, MMIO_INSTALLPROC) != nullptr;
    write_failed = false;
    return installed ? path + L"+" : path;
}

bool MmioWriteBuffer::all_written()
{
    return !write_failed;
}

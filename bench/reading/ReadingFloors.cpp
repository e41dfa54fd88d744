#include "ReadingFloors.h"

#include <algorithm>
#include <stdexcept>

#include "platform/File.h"
#include "platform/Platform.h"
#include "base/Utf8.h"
#include "recording/ArchiveLayout.h"
#include "recording/BigEndian.h"

namespace {

File open_or_throw(const std::wstring& path)
{
    File file = File::open_shared_read(path);
    if (!file.is_open()) {
        throw std::runtime_error("cannot open " + wide_to_utf8(path));
    }
    return file;
}

} // namespace

SequentialReader::SequentialReader() : buffer_(1u << 20) {}

int64_t SequentialReader::read_all(const std::wstring& path)
{
    File file = open_or_throw(path);
    int64_t total = 0;
    for (;;) {
        const size_t got = file.read(buffer_.data(), buffer_.size());
        total += static_cast<int64_t>(got);
        if (got < buffer_.size()) {
            return total;
        }
    }
}

void SequentialReader::write_temporary(size_t bytes)
{
    const std::wstring path = make_temp_file(L"obv");
    {
        File file = File::create_exclusive_write(path);
        constexpr size_t header_size = 44;
        if (!file.write(buffer_.data(), header_size) || !file.write(buffer_.data(), std::min(bytes, buffer_.size()))) {
            throw std::runtime_error("cannot write a temporary file");
        }
    }
    delete_file(path);
}

int hop_block_headers(const std::wstring& path)
{
    using namespace archive_layout;
    File file = open_or_throw(path);
    uint8_t start[file_header_size + preamble_size];
    if (file.read(start, sizeof start) != sizeof start) {
        return 0;
    }
    int64_t position = static_cast<int64_t>(sizeof start + start[file_header_size] * index_entry_size);
    int blocks = 0;
    uint8_t peek[block_peek_size];
    while (file.seek(position) && file.read(peek, sizeof peek) == sizeof peek) {
        const int32_t size = read_be32_signed(peek);
        if (size < 0) {
            break; // healthy inputs only: no resynchronisation here
        }
        ++blocks;
        position += static_cast<int64_t>(block_header_size) + size;
    }
    return blocks;
}

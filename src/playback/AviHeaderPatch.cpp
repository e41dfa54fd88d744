#include "playback/AviHeaderPatch.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t read_le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

bool tag_is(const uint8_t* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

// Where the list of chunks that starts at `from` and ends at `end` has a chunk `tag` (for a
// "LIST", its list type `list_type`), searched from the start; the offset of its header.
std::optional<size_t> find_chunk(const uint8_t* data, size_t from, size_t end, const char* tag,
                                 const char* list_type = nullptr)
{
    size_t at = from;
    while (at + 8 <= end) {
        const size_t length = read_le32(data + at + 4);
        if (tag_is(data + at, tag) && (list_type == nullptr || (at + 12 <= end && tag_is(data + at + 8, list_type)))) {
            return at;
        }
        at += 8 + length + (length & 1); // chunks are padded to an even length
    }
    return std::nullopt;
}

constexpr size_t stream_type_at = 0;    // fccType in the stream header
constexpr size_t stream_length_at = 32; // dwLength: after type, handler, flags, priority and
                                        // language, initial frames, scale, rate and start
constexpr size_t stream_header_min = 36;

} // namespace

std::optional<size_t> sound_length_field(const uint8_t* data, size_t size)
{
    if (data == nullptr || size < 12 || !tag_is(data, "RIFF") || !tag_is(data + 8, "AVI ")) {
        return std::nullopt;
    }
    const std::optional<size_t> header_list = find_chunk(data, 12, size, "LIST", "hdrl");
    if (!header_list) {
        return std::nullopt;
    }
    const size_t list_end = std::min(size, *header_list + 8 + read_le32(data + *header_list + 4));
    size_t at = *header_list + 12;
    while (const std::optional<size_t> stream_list = find_chunk(data, at, list_end, "LIST", "strl")) {
        const size_t stream_end = std::min(list_end, *stream_list + 8 + read_le32(data + *stream_list + 4));
        const std::optional<size_t> header = find_chunk(data, *stream_list + 12, stream_end, "strh");
        if (header && read_le32(data + *header + 4) >= stream_header_min && *header + 8 + stream_header_min <= stream_end &&
            tag_is(data + *header + 8 + stream_type_at, "auds")) {
            return *header + 8 + stream_length_at;
        }
        at = stream_end + (stream_end & 1);
    }
    return std::nullopt;
}

#include "samplecard/ArchiveLayout.h"

#include <algorithm>

namespace samplecard {

Bytes file_header(const FileHeaderFields& fields)
{
    Bytes header(file_header_size, 0);
    header[0] = fields.kind;
    put_bcd_time(&header[2], fields.time);
    put_be32(&header[8], fields.detection_ms);
    put_be16(&header[12], static_cast<uint32_t>(raw_g_count(fields.g1)));
    put_be16(&header[14], static_cast<uint32_t>(raw_g_count(fields.g2)));
    put_bcd(&header[16], 2, static_cast<uint64_t>(speed_digits(fields.speed_kmh)));
    header[28] = fields.header_byte;
    header[29] = fields.flag ? 1 : 0;
    return header;
}

Bytes index_area(const std::vector<IndexEntry>& entries)
{
    const size_t count = std::min<size_t>(entries.size(), 255);
    Bytes area(preamble_size + count * index_entry_size, 0);
    area[0] = static_cast<uint8_t>(count);
    for (size_t i = 0; i < count; ++i) {
        uint8_t* entry = &area[preamble_size + i * index_entry_size];
        put_be32(entry, entries[i].offset);
        put_be32(entry + 4, entries[i].ms);
    }
    return area;
}

Bytes block_header(uint8_t type, uint32_t payload_size, uint32_t ms, uint32_t sound_length, const BlockStamp& stamp)
{
    Bytes header(block_header_size, 0);
    put_be32(&header[0], payload_size);
    put_be32(&header[4], ms);
    put_be32(&header[8], sound_length);
    header[12] = type;
    header[32] = static_cast<uint8_t>(stamp.group);
    put_bcd(&header[33], 2, static_cast<uint64_t>(stamp.number));
    put_bcd_time(&header[36], stamp.time);
    put_bcd(&header[42], 2, static_cast<uint64_t>(g_digits(stamp.g1)));
    put_bcd(&header[44], 2, static_cast<uint64_t>(g_digits(stamp.g2)));
    put_bcd(&header[46], 2, static_cast<uint64_t>(speed_digits(stamp.speed_kmh)));
    put_bcd(&header[48], 4, stamp.counter1);
    put_bcd(&header[52], 4, stamp.counter2);
    put_be16(&header[59], stamp.aux);
    header[61] = stamp.flag ? 1 : 0;
    return header;
}

} // namespace samplecard

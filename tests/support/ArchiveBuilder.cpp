#include "support/ArchiveBuilder.h"

#include "samplecard/ArchiveLayout.h"
#include "samplecard/RecorderJpeg.h"

#include <cstring>

namespace {

using samplecard::put_be16;
using samplecard::put_be32;

void put(uint8_t* p, const Bytes& bytes)
{
    std::memcpy(p, bytes.data(), bytes.size());
}

} // namespace

Bytes bcd(long long value, int count)
{
    Bytes out(static_cast<size_t>(count));
    samplecard::put_bcd(out.data(), out.size(), static_cast<uint64_t>(value));
    return out;
}

std::array<uint8_t, 6> bcd_date(int yy, int month, int day, int hour, int minute, int second)
{
    std::array<uint8_t, 6> date{};
    const int fields[] = {yy, month, day, hour, minute, second};
    for (size_t i = 0; i < date.size(); ++i) {
        samplecard::put_bcd(&date[i], 1, static_cast<uint64_t>(fields[i]));
    }
    return date;
}

Bytes picture_mask(uint8_t code_high, uint8_t code_low)
{
    return samplecard::picture_payload(Bytes(16, 0), samplecard::ModelCode{code_high, code_low});
}

Bytes masked_payload(size_t size)
{
    Bytes payload = picture_mask();
    payload.resize(size, 0x5A);
    return payload;
}

Bytes file_header(const HeaderFields& fields)
{
    Bytes header(samplecard::file_header_size, 0);
    header[0] = fields.kind;
    std::memcpy(&header[2], fields.time.data(), 6);
    put_be32(&header[8], static_cast<uint32_t>(fields.detection_ms));
    put_be16(&header[12], fields.g1_count);
    put_be16(&header[14], fields.g2_count);
    put(&header[16], bcd(fields.speed, 2));
    header[28] = fields.header_byte;
    header[29] = fields.flag_byte;
    return header;
}

Bytes block(const BlockFields& fields, const Bytes& payload)
{
    Bytes out(samplecard::block_header_size, 0);
    put_be32(&out[0], static_cast<uint32_t>(fields.payload_size.value_or(static_cast<int32_t>(payload.size()))));
    put_be32(&out[4], static_cast<uint32_t>(fields.ms));
    put_be32(&out[8], static_cast<uint32_t>(fields.sound_length));
    out[12] = fields.type;
    out[32] = fields.group;
    put(&out[33], bcd(fields.number, 2));
    std::memcpy(&out[36], fields.time.data(), 6);
    put(&out[42], bcd(fields.g1_bcd, 2));
    put(&out[44], bcd(fields.g2_bcd, 2));
    put(&out[46], bcd(fields.speed, 2));
    put(&out[48], bcd(fields.counter1, 4));
    put(&out[52], bcd(fields.counter2, 4));
    put_be16(&out[59], fields.aux_word);
    out[61] = fields.flag_byte;
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

ArchiveBuilder::ArchiveBuilder(const HeaderFields& header, int index_entries) : bytes_(file_header(header))
{
    Bytes preamble(samplecard::preamble_size, 0);
    preamble[0] = static_cast<uint8_t>(index_entries);
    raw(preamble);
    raw(Bytes(static_cast<size_t>(index_entries) * samplecard::index_entry_size, 0xEE));
}

ArchiveBuilder& ArchiveBuilder::information_block(uint8_t code_high, uint8_t code_low)
{
    Bytes payload = picture_mask(code_high, code_low);
    payload.resize(48, 0);
    return picture(BlockFields{}, payload);
}

ArchiveBuilder& ArchiveBuilder::picture(int32_t ms, size_t payload_size)
{
    BlockFields fields;
    fields.ms = ms;
    return picture(fields, masked_payload(payload_size));
}

ArchiveBuilder& ArchiveBuilder::picture(const BlockFields& fields, const Bytes& payload)
{
    return raw(block(fields, payload));
}

ArchiveBuilder& ArchiveBuilder::sound(int32_t ms, const Bytes& samples)
{
    BlockFields fields;
    fields.type = samplecard::sound_block_type;
    fields.ms = ms;
    fields.sound_length = static_cast<int32_t>(samples.size());
    return raw(block(fields, samples));
}

ArchiveBuilder& ArchiveBuilder::raw(const Bytes& bytes)
{
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

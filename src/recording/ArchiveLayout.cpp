#include "recording/ArchiveLayout.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/Bcd.h"
#include "base/ModelCode.h"
#include "recording/BigEndian.h"
#include "recording/RecorderFields.h"

namespace archive_layout {

const std::array<uint8_t, signature_size> signature = {'O', 'R', 'V', 'A', 'N', 'D', 'E',
                                                       '-', 'K', 'A', 'L', '.', 0,   0};
const std::array<uint8_t, masked_size> jpeg_start = {0xFF, 0xD8, 0xFF, 0xC4, 0x01, 0xA2, 0x00, 0x00,
                                                     0x01, 0x05, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01};

} // namespace archive_layout

namespace {

int kind_code_of(uint8_t kind)
{
    switch (kind) {
    case 0x10: return 1;
    case 0x20: return 2;
    case 0x18: return 11;
    case 0x19: return 12;
    default: return 0;
    }
}

} // namespace

FileHeader decode_file_header(const uint8_t* bytes)
{
    FileHeader header;
    header.kind_code = kind_code_of(bytes[0]);
    header.time = bcd_time(bytes + 2);
    header.detection_ms = read_be32_signed(bytes + 8);
    header.g1 = raw_g_value(bytes + 12);
    header.g2 = raw_g_value(bytes + 14);
    header.speed = bcd_speed(bytes + 16);
    header.header_byte = bytes[28];
    header.flag = bytes[29] & 1;
    return header;
}

FrameRecord decode_block_header(const uint8_t* bytes, int64_t block_position)
{
    FrameRecord record;
    record.payload_size = read_be32_signed(bytes);
    record.ms = read_be32_signed(bytes + 4);
    record.sound_length = read_be32_signed(bytes + 8);
    record.block_type = bytes[12];
    record.picture_group = bytes[32];
    record.picture_number = decode_bcd(bytes + 33, 2);
    record.time = bcd_time(bytes + 36);
    record.g1 = bcd_g_value(bytes + 42);
    record.g2 = bcd_g_value(bytes + 44);
    record.g_magnitude = std::sqrt(record.g1 * record.g1 + record.g2 * record.g2);
    record.speed = bcd_speed(bytes + 46);
    record.counter1 = decode_bcd(bytes + 48, 4);
    record.counter2 = decode_bcd(bytes + 52, 4);
    record.aux_word = read_be16(bytes + 59);
    record.aux_low = bytes[60];
    record.frame_flag = bytes[61] & 1;
    record.payload_position = block_position + static_cast<int64_t>(archive_layout::block_header_size);
    return record;
}

bool has_signature(const uint8_t* block_peek)
{
    using namespace archive_layout;
    return std::memcmp(block_peek + signature_offset, signature.data(), signature_size) == 0;
}

bool is_masked_picture(const uint8_t* payload, size_t size)
{
    using namespace archive_layout;
    const ModelCode code = model_code();
    return size >= masked_size && payload[0] == code.high && payload[1] == code.low &&
           std::memcmp(payload + 2, signature.data(), signature_size) == 0;
}

void unmask_picture(std::vector<uint8_t>& payload)
{
    using namespace archive_layout;
    std::copy(jpeg_start.begin(), jpeg_start.end(), payload.begin());
}

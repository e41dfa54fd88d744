#include "support/TestJpeg.h"

#include <cstdio>
#include <stdexcept>

#include <jpeglib.h>

#include "support/ArchiveBuilder.h"

namespace {

struct Destination {
    jpeg_destination_mgr manager;
    Bytes* out;
    JOCTET buffer[4096];
};

Destination* destination_of(j_compress_ptr info)
{
    return reinterpret_cast<Destination*>(info->dest);
}

void init_destination(j_compress_ptr info)
{
    Destination* d = destination_of(info);
    d->manager.next_output_byte = d->buffer;
    d->manager.free_in_buffer = sizeof d->buffer;
}

boolean empty_output_buffer(j_compress_ptr info)
{
    Destination* d = destination_of(info);
    d->out->insert(d->out->end(), d->buffer, d->buffer + sizeof d->buffer);
    init_destination(info);
    return TRUE;
}

void term_destination(j_compress_ptr info)
{
    Destination* d = destination_of(info);
    d->out->insert(d->out->end(), d->buffer, d->buffer + (sizeof d->buffer - d->manager.free_in_buffer));
}

[[noreturn]] void fail(j_common_ptr)
{
    throw std::runtime_error("the test picture could not be encoded");
}

Bytes encode(int width, int height, ColourFunction colour_at, bool grey)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = fail;
    jpeg_create_compress(&info);
    Bytes out;
    Destination destination{};
    destination.manager.init_destination = init_destination;
    destination.manager.empty_output_buffer = empty_output_buffer;
    destination.manager.term_destination = term_destination;
    destination.out = &out;
    info.dest = &destination.manager;
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    Bytes line(static_cast<size_t>(width) * 3);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            const uint32_t colour = colour_at(x, y);
            const size_t at = static_cast<size_t>(x) * (grey ? 1 : 3);
            line[at] = static_cast<uint8_t>(colour >> 16);
            if (!grey) {
                line[at + 1] = static_cast<uint8_t>(colour >> 8);
                line[at + 2] = static_cast<uint8_t>(colour);
            }
        }
        JSAMPROW rows[1] = {line.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return out;
}

// The standard tables as libjpeg writes them into a colour picture without optimised coding,
// gathered into one segment in the order DC 0, AC 0, DC 1, AC 1.
Bytes standard_huffman_segment()
{
    const Bytes sample = encode(16, 16, [](int, int) { return 0x808080u; }, false);
    Bytes tables[4];
    for (size_t at = 2; at + 4 <= sample.size() && sample[at] == 0xFF;) {
        const size_t length = static_cast<size_t>(sample[at + 2] << 8 | sample[at + 3]);
        if (sample[at + 1] == 0xC4) {
            for (size_t t = at + 4; t < at + 2 + length;) {
                size_t count = 0;
                for (size_t i = 1; i <= 16; ++i) {
                    count += sample[t + i];
                }
                const uint8_t id = sample[t];
                tables[(id >> 4) + 2 * (id & 0x0F)].assign(sample.begin() + static_cast<long>(t),
                                                            sample.begin() + static_cast<long>(t + 17 + count));
                t += 17 + count;
            }
        }
        if (sample[at + 1] == 0xDA) {
            break;
        }
        at += 2 + length;
    }
    Bytes segment = {0xFF, 0xC4, 0, 0};
    for (const Bytes& table : tables) {
        segment.insert(segment.end(), table.begin(), table.end());
    }
    const size_t length = segment.size() - 2;
    segment[2] = static_cast<uint8_t>(length >> 8);
    segment[3] = static_cast<uint8_t>(length);
    return segment;
}

} // namespace

Bytes encode_colour_jpeg(int width, int height, ColourFunction colour_at)
{
    return encode(width, height, colour_at, false);
}

Bytes encode_grey_jpeg(int width, int height, ColourFunction colour_at)
{
    return encode(width, height, colour_at, true);
}

Bytes recorder_layout(const Bytes& jpeg)
{
    Bytes out = {0xFF, 0xD8};
    const Bytes segment = standard_huffman_segment();
    out.insert(out.end(), segment.begin(), segment.end());
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

Bytes recorder_payload(const Bytes& jpeg)
{
    Bytes payload = recorder_layout(jpeg);
    const Bytes mask = picture_mask();
    std::copy(mask.begin(), mask.end(), payload.begin());
    return payload;
}

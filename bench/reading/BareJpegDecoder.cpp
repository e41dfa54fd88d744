#include "BareJpegDecoder.h"

#include <cstdio> // jpeglib.h needs size_t and FILE first
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace {

struct LibraryFailure {};

[[noreturn]] void fail(j_common_ptr)
{
    throw LibraryFailure{};
}

// Decodes with `read_lines` taking the scan lines; returns the lines decoded, 0 on failure.
template <typename ReadLines> int decode_with(const uint8_t* data, size_t size, J_COLOR_SPACE space, ReadLines read_lines)
{
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    std::memset(&info, 0, sizeof info);
    info.err = jpeg_std_error(&errors);
    errors.error_exit = fail;
    int lines = 0;
    try {
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
        jpeg_read_header(&info, TRUE);
        if (space != JCS_UNKNOWN) {
            info.out_color_space = space;
        }
        jpeg_start_decompress(&info);
        lines = read_lines(info);
        jpeg_finish_decompress(&info);
    } catch (const LibraryFailure&) {
        lines = 0;
    }
    jpeg_destroy_decompress(&info);
    return lines;
}

} // namespace

int decode_bare_picture(const uint8_t* data, size_t size, std::vector<uint8_t>& pixels)
{
    return decode_with(data, size, JCS_EXT_BGRX, [&](jpeg_decompress_struct& info) {
        const size_t stride = static_cast<size_t>(info.output_width) * 4;
        pixels.resize(stride * info.output_height);
        int lines = 0;
        while (info.output_scanline < info.output_height) {
            JSAMPROW rows[1] = {pixels.data() + stride * (info.output_height - 1 - info.output_scanline)};
            lines += static_cast<int>(jpeg_read_scanlines(&info, rows, 1));
        }
        return lines;
    });
}

int decode_bare(const uint8_t* data, size_t size)
{
    return decode_with(data, size, JCS_UNKNOWN, [](jpeg_decompress_struct& info) {
        std::vector<JSAMPLE> line(static_cast<size_t>(info.output_width) * static_cast<size_t>(info.output_components));
        JSAMPROW rows[1] = {line.data()};
        int lines = 0;
        while (info.output_scanline < info.output_height) {
            lines += static_cast<int>(jpeg_read_scanlines(&info, rows, 1));
        }
        return lines;
    });
}

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

} // namespace

int decode_bare(const uint8_t* data, size_t size)
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
        jpeg_start_decompress(&info);
        std::vector<JSAMPLE> line(static_cast<size_t>(info.output_width) * static_cast<size_t>(info.output_components));
        JSAMPROW rows[1] = {line.data()};
        while (info.output_scanline < info.output_height) {
            lines += static_cast<int>(jpeg_read_scanlines(&info, rows, 1));
        }
        jpeg_finish_decompress(&info);
    } catch (const LibraryFailure&) {
        lines = 0;
    }
    jpeg_destroy_decompress(&info);
    return lines;
}

#include "image/JpegDecoder.h"

#include <cstring>
#include <new>
#include <vector>

#include "base/Exception.h"
#include "image/JpegMemorySource.h"
#include "image/Image.h"

namespace {

// Bounds that no recorder picture comes near; a damaged header claiming more must not make the
// viewer allocate gigabytes or decode thousands of scans.
constexpr unsigned long long max_pixels = 4096ULL * 4096ULL;
constexpr long max_library_memory = 256L * 1024 * 1024;
constexpr int max_scans = 1000;

[[noreturn]] void fail_picture(j_common_ptr)
{
    throw ImageException(L"");
}

void keep_quiet(j_common_ptr) {}

void limit_scans(j_common_ptr info)
{
    const auto* decompressor = reinterpret_cast<j_decompress_ptr>(info);
    if (decompressor->input_scan_number > max_scans) {
        fail_picture(info);
    }
}

// The decompressor and its error and progress handlers, destroyed on every path.
struct Decompressor {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    jpeg_progress_mgr progress;

    Decompressor()
    {
        std::memset(&info, 0, sizeof info);
        std::memset(&progress, 0, sizeof progress);
        info.err = jpeg_std_error(&errors);
        errors.error_exit = fail_picture;
        errors.output_message = keep_quiet;
        progress.progress_monitor = limit_scans;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

// One decoded scan line into buffer row `row` of the picture, blue, green, red, 0.
void store_row(const JSAMPLE* line, int components, Image& image, int row)
{
    uint8_t* out = image.row(row);
    const int width = image.width();
    if (components == 3) {
        for (int x = 0; x < width; ++x, line += 3, out += 4) {
            out[0] = line[2];
            out[1] = line[1];
            out[2] = line[0];
            out[3] = 0;
        }
    } else if (components == 1) {
        for (int x = 0; x < width; ++x, ++line, out += 4) {
            out[0] = out[1] = out[2] = *line;
            out[3] = 0;
        }
    }
    // Other colour layouts leave the picture black.
}

std::unique_ptr<Image> decode(Decompressor& decompressor, const uint8_t* data, size_t size)
{
    jpeg_decompress_struct& info = decompressor.info;
    jpeg_CreateDecompress(&info, JPEG_LIB_VERSION, sizeof info);
    info.mem->max_memory_to_use = max_library_memory;
    info.progress = &decompressor.progress;
    use_memory_source(&info, data, size);
    jpeg_read_header(&info, TRUE);
    if (static_cast<unsigned long long>(info.image_width) * info.image_height > max_pixels) {
        return nullptr;
    }
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    const int components = info.output_components;
    auto image = std::make_unique<Image>(width, height);
    std::vector<JSAMPLE> line((static_cast<size_t>(width) * static_cast<size_t>(components) + 3) & ~size_t{3});
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {line.data()};
        if (jpeg_read_scanlines(&info, rows, 1) != 1) {
            return nullptr; // the memory source never suspends; this would be a broken library
        }
        store_row(line.data(), components, *image, height - static_cast<int>(info.output_scanline));
    }
    jpeg_finish_decompress(&info);
    return image;
}

} // namespace

std::unique_ptr<Image> decode_jpeg(const uint8_t* data, size_t size)
{
    if (data == nullptr || size == 0) {
        return nullptr;
    }
    Decompressor decompressor;
    try {
        return decode(decompressor, data, size);
    } catch (const ImageException&) {
        return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

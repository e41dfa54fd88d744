#include "image/JpegDecoder.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#endif

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

// The library writes 0xFF into the fourth byte of its blue-green-red-pad output; our pictures
// carry 0 there. Done on rows just decoded, while they are still in the cache (see Image for why
// they are). A byte store per pixel cost a quarter of the whole decode; four pixels masked at a
// time cost a few hundredths. The viewer runs on processors without SSE2 too, which take the
// word at a time.
constexpr uint32_t colour_bytes = 0x00FFFFFFu; // blue, green, red of a little-endian pixel

void clear_pad_words(uint8_t* row, int width)
{
    for (int x = 0; x < width; ++x) {
        uint32_t pixel;
        std::memcpy(&pixel, row + 4 * x, sizeof pixel);
        pixel &= colour_bytes;
        std::memcpy(row + 4 * x, &pixel, sizeof pixel);
    }
}

#if defined(__i386__) || defined(__x86_64__)
__attribute__((target("sse2"))) void clear_pad_vectors(uint8_t* row, int width)
{
    constexpr int pixels_per_vector = 4;
    const __m128i mask = _mm_set1_epi32(static_cast<int>(colour_bytes));
    int x = 0;
    for (; x + pixels_per_vector <= width; x += pixels_per_vector) {
        auto* at = reinterpret_cast<__m128i*>(row + 4 * x);
        _mm_storeu_si128(at, _mm_and_si128(_mm_loadu_si128(at), mask));
    }
    clear_pad_words(row + 4 * x, width - x);
}

void clear_pad_bytes(uint8_t* row, int width)
{
    static const bool vectors = __builtin_cpu_supports("sse2");
    if (vectors) {
        clear_pad_vectors(row, width);
    } else {
        clear_pad_words(row, width);
    }
}
#else
void clear_pad_bytes(uint8_t* row, int width)
{
    clear_pad_words(row, width);
}
#endif

// Pictures in colour or grey: the library writes blue, green, red, pad straight into the
// picture's rows, bottom row first, through the row pointers; nothing is copied afterwards.
std::unique_ptr<Image> decode_direct(jpeg_decompress_struct& info)
{
    info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    auto image = std::make_unique<Image>(width, height, Image::Unfilled{});
    constexpr int batch = 16;
    JSAMPROW rows[batch];
    while (info.output_scanline < info.output_height) {
        const int first = static_cast<int>(info.output_scanline);
        const int count = std::min(batch, height - first);
        for (int i = 0; i < count; ++i) {
            rows[i] = image->row(height - 1 - (first + i));
        }
        const auto read = static_cast<int>(jpeg_read_scanlines(&info, rows, static_cast<JDIMENSION>(count)));
        if (read == 0) {
            return nullptr; // the memory source never suspends; this would be a broken library
        }
        for (int i = 0; i < read; ++i) {
            clear_pad_bytes(rows[i], width);
        }
    }
    jpeg_finish_decompress(&info);
    return image;
}

// Any other colour layout (CMYK and the like) is read through and left black.
std::unique_ptr<Image> decode_unshown(jpeg_decompress_struct& info)
{
    jpeg_start_decompress(&info);
    auto image = std::make_unique<Image>(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    std::vector<JSAMPLE> line(static_cast<size_t>(info.output_width) * static_cast<size_t>(info.output_components));
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {line.data()};
        if (jpeg_read_scanlines(&info, rows, 1) != 1) {
            return nullptr;
        }
    }
    jpeg_finish_decompress(&info);
    return image;
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
    const J_COLOR_SPACE space = info.jpeg_color_space;
    if (space == JCS_YCbCr || space == JCS_RGB || space == JCS_GRAYSCALE) {
        return decode_direct(info);
    }
    return decode_unshown(info);
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

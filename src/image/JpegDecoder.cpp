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

// The library writes blue, green, red and 0xFF as the fourth byte; our pictures carry 0 there.
// It writes rows that start on a 16-byte boundary with stores that go around the cache, so
// clearing the fourth bytes in the picture afterwards read every row back from main memory (a
// quarter of the decode). Instead the library writes a few rows into a small buffer placed off
// that boundary, where they stay in the cache, and each row goes into the picture with its
// fourth bytes cleared on the way: four pixels at a time, written around the cache, where the
// processor has SSE2; a pixel at a time on the others (the viewer runs on both).
constexpr uint32_t colour_bytes = 0x00FFFFFFu; // blue, green, red of a little-endian pixel
constexpr int rows_per_call = 2; // two rows of a 2x2-subsampled picture come out of one step
constexpr size_t boundary = Image::pixel_alignment; // where the library's stores go around the cache
constexpr size_t scratch_offset = boundary / 2;     // off it: the library's stores then stay cached
// Rows up to this width go through a buffer on the stack; wider ones through one allocated.
constexpr size_t stack_row_bytes = 2048 * 4;

void copy_row_words(const uint8_t* from, uint8_t* to, int width)
{
    for (int x = 0; x < width; ++x) {
        uint32_t pixel;
        std::memcpy(&pixel, from + 4 * x, sizeof pixel);
        pixel &= colour_bytes;
        std::memcpy(to + 4 * x, &pixel, sizeof pixel);
    }
}

#if defined(__i386__) || defined(__x86_64__)
__attribute__((target("sse2"))) void copy_row_vectors(const uint8_t* from, uint8_t* to, int width)
{
    constexpr int pixels_per_vector = 4;
    const __m128i mask = _mm_set1_epi32(static_cast<int>(colour_bytes));
    const bool aligned = reinterpret_cast<uintptr_t>(to) % boundary == 0;
    int x = 0;
    for (; x + pixels_per_vector <= width; x += pixels_per_vector) {
        const __m128i pixels = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 4 * x)), mask);
        auto* at = reinterpret_cast<__m128i*>(to + 4 * x);
        if (aligned) {
            _mm_stream_si128(at, pixels);
        } else {
            _mm_storeu_si128(at, pixels);
        }
    }
    copy_row_words(from + 4 * x, to + 4 * x, width - x);
}

// The stores around the cache reach memory before the picture is handed to another thread.
__attribute__((target("sse2"))) void finish_vector_rows()
{
    _mm_sfence();
}

// Every x86-64 processor has SSE2; a 32-bit build asks the processor once.
bool has_vectors()
{
#if defined(__x86_64__) || defined(__SSE2__)
    return true;
#else
    static const bool vectors = __builtin_cpu_supports("sse2");
    return vectors;
#endif
}

void copy_row(const uint8_t* from, uint8_t* to, int width)
{
    if (has_vectors()) {
        copy_row_vectors(from, to, width);
    } else {
        copy_row_words(from, to, width);
    }
}

void finish_rows()
{
    if (has_vectors()) {
        finish_vector_rows();
    }
}
#else
void copy_row(const uint8_t* from, uint8_t* to, int width)
{
    copy_row_words(from, to, width);
}

void finish_rows() {}
#endif

// Pictures in colour or grey: the library writes blue, green, red, pad a few rows at a time,
// which go into the picture bottom row first with the pad cleared.
std::unique_ptr<Image> decode_direct(jpeg_decompress_struct& info)
{
    info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    auto image = std::make_unique<Image>(width, height, Image::Unfilled{});
    const size_t stride = static_cast<size_t>(width) * 4;
    uint8_t on_stack[stack_row_bytes * rows_per_call + boundary];
    std::vector<uint8_t> allocated(stride > stack_row_bytes ? stride * rows_per_call + boundary : 0);
    uint8_t* const scratch = allocated.empty() ? on_stack : allocated.data();
    uint8_t* const first_row =
        scratch + (scratch_offset + boundary - reinterpret_cast<uintptr_t>(scratch) % boundary) % boundary;
    JSAMPROW rows[rows_per_call];
    for (int i = 0; i < rows_per_call; ++i) {
        rows[i] = first_row + stride * static_cast<size_t>(i);
    }
    while (info.output_scanline < info.output_height) {
        const int first = static_cast<int>(info.output_scanline);
        const int count = std::min(rows_per_call, height - first);
        const auto read = static_cast<int>(jpeg_read_scanlines(&info, rows, static_cast<JDIMENSION>(count)));
        if (read == 0) {
            return nullptr; // the memory source never suspends; this would be a broken library
        }
        for (int i = 0; i < read; ++i) {
            copy_row(rows[i], image->row(height - 1 - (first + i)), width);
        }
    }
    finish_rows();
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

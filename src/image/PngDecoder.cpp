#include "image/PngDecoder.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <new>
#include <vector>

namespace {

// A header of a few bytes may claim a picture a million pixels square; anything above this
// (256 MiB of pixels) is refused instead of being allocated.
constexpr uint64_t maximumPixels = uint64_t(1) << 26;
// Likewise a chunk may claim gigabytes; no chunk of a picture needs this much.
constexpr png_alloc_size_t maximumChunkBytes = 8 * 1024 * 1024;

struct MemorySource {
    const uint8_t* data;
    size_t size;
    size_t offset;
};

void readFromMemory(png_structp png, png_bytep out, size_t length)
{
    auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (length > source->size - source->offset) {
        png_error(png, "unexpected end of data");
    }
    std::memcpy(out, source->data + source->offset, length);
    source->offset += length;
}

// libpng must not return from its error routine; the jump lands in the step that was running.
[[noreturn]] void jumpOnError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp)
{
}

// libpng's read and information structures for one decoding. Errors come back by longjmp into
// readHeader or readRows; neither keeps an object with a destructor in its frame, so the jump
// skips nothing, and the structures are freed by this object's destructor.
class PngReader {
public:
    PngReader(const uint8_t* data, size_t size) : source_{data, size, 0}
    {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpOnError, ignoreWarning);
        if (png_ != nullptr) {
            info_ = png_create_info_struct(png_);
            png_set_chunk_malloc_max(png_, maximumChunkBytes);
            // Only the header, palette, transparency and pixel data make the picture; text,
            // profiles and the like are skipped unread rather than buffered.
            png_set_keep_unknown_chunks(png_, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
            png_set_read_fn(png_, &source_, readFromMemory);
        }
    }
    ~PngReader() { png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    bool valid() const { return png_ != nullptr && info_ != nullptr; }

    // Reads up to the first image data and sets the transformations; true when all went well
    // and every row now comes out as 4 bytes per pixel.
    bool readHeader()
    {
        if (setjmp(png_jmpbuf(png_)) != 0) {
            return false;
        }
        png_read_info(png_, info_);
        chooseTransformations();
        png_read_update_info(png_, info_);
        return png_get_bit_depth(png_, info_) == 8 && png_get_channels(png_, info_) == 4 &&
               png_get_rowbytes(png_, info_) == static_cast<size_t>(width()) * 4;
    }

    // Reads every row (all passes of an interlaced file) into `rows` and the rest of the file.
    bool readRows(png_bytepp rows)
    {
        if (setjmp(png_jmpbuf(png_)) != 0) {
            return false;
        }
        png_read_image(png_, rows);
        png_read_end(png_, nullptr);
        return true;
    }

    int width() const { return static_cast<int>(png_get_image_width(png_, info_)); }
    int height() const { return static_cast<int>(png_get_image_height(png_, info_)); }

private:
    void chooseTransformations()
    {
        const int colourType = png_get_color_type(png_, info_);
        const int bitDepth = png_get_bit_depth(png_, info_);
        const bool transparency = png_get_valid(png_, info_, PNG_INFO_tRNS) != 0;
        if (colourType == PNG_COLOR_TYPE_PALETTE) {
            png_set_palette_to_rgb(png_);
        }
        if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) {
            png_set_expand_gray_1_2_4_to_8(png_);
        }
        if (transparency) {
            png_set_tRNS_to_alpha(png_);
        }
        if (bitDepth == 16) {
            png_set_scale_16(png_);
        }
        if ((colourType & PNG_COLOR_MASK_COLOR) == 0) {
            png_set_gray_to_rgb(png_);
        }
        png_set_bgr(png_);
        if ((colourType & PNG_COLOR_MASK_ALPHA) == 0 && !transparency) {
            png_set_filler(png_, 0xFF, PNG_FILLER_AFTER);
        }
        png_set_interlace_handling(png_);
    }

    MemorySource source_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

} // namespace

std::unique_ptr<Image> decodePng(const uint8_t* data, size_t size)
{
    if (data == nullptr || size < 8 || png_sig_cmp(data, 0, 8) != 0) {
        return nullptr;
    }
    try {
        PngReader reader(data, size);
        if (!reader.valid() || !reader.readHeader()) {
            return nullptr;
        }
        const int width = reader.width();
        const int height = reader.height();
        if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > maximumPixels) {
            return nullptr;
        }
        auto image = std::make_unique<Image>(width, height);
        // The file's top row goes into the buffer's last row: the picture is kept bottom-up.
        std::vector<png_bytep> rows(static_cast<size_t>(height));
        for (int y = 0; y < height; ++y) {
            rows[static_cast<size_t>(y)] = image->row(height - 1 - y);
        }
        if (!reader.readRows(rows.data())) {
            return nullptr;
        }
        return image;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

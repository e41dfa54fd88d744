#include "image/PngSupport.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

struct Cursor {
    const Bytes* file;
    size_t at;
};

void readCursor(png_structp png, png_bytep out, size_t length)
{
    auto* cursor = static_cast<Cursor*>(png_get_io_ptr(png));
    if (length > cursor->file->size() - cursor->at) {
        png_error(png, "end of data");
    }
    std::memcpy(out, cursor->file->data() + cursor->at, length);
    cursor->at += length;
}

void appendToBytes(png_structp png, png_bytep data, size_t length)
{
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp)
{
}

[[noreturn]] void jump(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void quiet(png_structp, png_const_charp)
{
}

// The frames below keep nothing with a destructor, so libpng's longjmp skips nothing.
bool readWithTransformMask(png_structp png, png_infop info)
{
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_read_png(png, info, PNG_TRANSFORM_EXPAND | PNG_TRANSFORM_SCALE_16 | PNG_TRANSFORM_GRAY_TO_RGB, nullptr);
    return true;
}

bool writeRows(png_structp png, png_infop info, const PngPicture& picture, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height),
                 picture.bitDepth, picture.colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!picture.palette.empty()) {
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(picture.palette.data()),
                     static_cast<int>(picture.palette.size() / 3));
    }
    png_color_16 grey{};
    if (picture.transparentGrey) {
        grey.gray = *picture.transparentGrey;
        png_set_tRNS(png, info, nullptr, 0, &grey);
    } else if (!picture.transparencyAlpha.empty()) {
        png_set_tRNS(png, info, picture.transparencyAlpha.data(), static_cast<int>(picture.transparencyAlpha.size()),
                     nullptr);
    }
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

ReferencePicture rearrange(png_structp png, png_infop info)
{
    ReferencePicture picture;
    picture.width = static_cast<int>(png_get_image_width(png, info));
    picture.height = static_cast<int>(png_get_image_height(png, info));
    const int channels = png_get_channels(png, info);
    png_bytepp rows = png_get_rows(png, info);
    picture.pixels.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 4);
    for (int y = 0; y < picture.height; ++y) {
        const png_bytep source = rows[y];
        uint8_t* target = picture.pixels.data() + static_cast<size_t>(picture.height - 1 - y) * picture.width * 4;
        for (int x = 0; x < picture.width; ++x) {
            const png_bytep sample = source + static_cast<size_t>(x) * channels;
            target[x * 4 + 0] = sample[2];
            target[x * 4 + 1] = sample[1];
            target[x * 4 + 2] = sample[0];
            target[x * 4 + 3] = channels == 4 ? sample[3] : 255;
        }
    }
    return picture;
}

} // namespace

std::filesystem::path pngSuiteFolder()
{
    return std::filesystem::path(TARVO_PNG_SUITE_DIR);
}

std::vector<std::filesystem::path> pngFilesIn(const std::filesystem::path& folder, bool recursive)
{
    std::vector<std::filesystem::path> files;
    auto take = [&files](const std::filesystem::directory_entry& entry) {
        if (entry.is_regular_file() && entry.path().extension() == ".png") {
            files.push_back(entry.path());
        }
    };
    if (recursive) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            take(entry);
        }
    } else {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            take(entry);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

Bytes readWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes pngSignature()
{
    return {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
}

Bytes bigEndian32(uint32_t value)
{
    return {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
            static_cast<uint8_t>(value)};
}

Bytes pngChunk(const std::string& type, const Bytes& data)
{
    Bytes chunk = bigEndian32(static_cast<uint32_t>(data.size()));
    chunk.insert(chunk.end(), type.begin(), type.end());
    chunk.insert(chunk.end(), data.begin(), data.end());
    const uLong crc = crc32(crc32(0, nullptr, 0), chunk.data() + 4, static_cast<uInt>(chunk.size() - 4));
    const Bytes crcBytes = bigEndian32(static_cast<uint32_t>(crc));
    chunk.insert(chunk.end(), crcBytes.begin(), crcBytes.end());
    return chunk;
}

std::optional<ChunkPlace> findChunk(const Bytes& file, const std::string& type)
{
    size_t at = 8;
    while (at + 12 <= file.size()) {
        const uint32_t length = (uint32_t(file[at]) << 24) | (uint32_t(file[at + 1]) << 16) |
                                (uint32_t(file[at + 2]) << 8) | uint32_t(file[at + 3]);
        if (std::equal(type.begin(), type.end(), file.begin() + static_cast<std::ptrdiff_t>(at + 4))) {
            return ChunkPlace{at, length};
        }
        at += 12 + static_cast<size_t>(length);
    }
    return std::nullopt;
}

void repairCrc(Bytes& file, const ChunkPlace& place)
{
    const uLong crc = crc32(crc32(0, nullptr, 0), file.data() + place.offset + 4, place.length + 4);
    const Bytes crcBytes = bigEndian32(static_cast<uint32_t>(crc));
    std::copy(crcBytes.begin(), crcBytes.end(), file.begin() + static_cast<std::ptrdiff_t>(place.offset + 8 + place.length));
}

Bytes writePng(const PngPicture& picture)
{
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, jump, quiet);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendToBytes, flushNothing);
    const size_t rowBytes = picture.samples.size() / static_cast<size_t>(picture.height);
    std::vector<png_bytep> rows;
    Bytes samples = picture.samples;
    for (int y = 0; y < picture.height; ++y) {
        rows.push_back(samples.data() + static_cast<size_t>(y) * rowBytes);
    }
    const bool written = writeRows(png, info, picture, rows.data());
    png_destroy_write_struct(&png, &info);
    return written ? out : Bytes();
}

std::optional<ReferencePicture> referenceReading(const Bytes& file)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, jump, quiet);
    png_infop info = png_create_info_struct(png);
    Cursor cursor{&file, 0};
    png_set_read_fn(png, &cursor, readCursor);
    std::optional<ReferencePicture> picture;
    if (readWithTransformMask(png, info)) {
        picture = rearrange(png, info);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return picture;
}

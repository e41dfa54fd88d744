// The decoder against libpng's test suite (each good file compared with a second reading by
// libpng's high-level path), against files damaged in the ways PngSuite's x*.png files are
// damaged, and against small pictures with known pixels.
#include "image/PngDecoder.h"
#include "image/PngSupport.h"

#include <gtest/gtest.h>

#include <png.h>

#include <functional>

namespace {

std::unique_ptr<Image> decode(const Bytes& file)
{
    return decodePng(file.data(), file.size());
}

// Compares a decoded picture with the reference, naming the first pixel that differs.
::testing::AssertionResult samePixels(const Image* image, const ReferencePicture& expected)
{
    if (image == nullptr) {
        return ::testing::AssertionFailure() << "no picture";
    }
    if (image->width() != expected.width || image->height() != expected.height) {
        return ::testing::AssertionFailure() << "size " << image->width() << "x" << image->height() << ", expected "
                                             << expected.width << "x" << expected.height;
    }
    if (image->size() != expected.pixels.size()) {
        return ::testing::AssertionFailure() << "buffer of " << image->size() << " bytes";
    }
    for (size_t at = 0; at < expected.pixels.size(); ++at) {
        if (image->pixels()[at] != expected.pixels[at]) {
            const size_t pixel = at / 4;
            return ::testing::AssertionFailure()
                   << "buffer row " << pixel / expected.width << " column " << pixel % expected.width << " byte "
                   << at % 4 << ": " << int(image->pixels()[at]) << ", expected " << int(expected.pixels[at]);
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(PngDecoder, EveryFileOfTheSuiteDecodesToTheReferencePixels)
{
    const auto folder = pngSuiteFolder();
    ASSERT_TRUE(std::filesystem::is_directory(folder / "pngsuite")) << folder.string();
    auto files = pngFilesIn(folder / "pngsuite", true);
    const auto more = pngFilesIn(folder / "testpngs", false);
    files.insert(files.end(), more.begin(), more.end());
    // pngsuite has 59 files (interlaced ones included), testpngs 100 made by makepng.
    ASSERT_GE(files.size(), 150u);
    for (const auto& path : files) {
        SCOPED_TRACE(path.filename().string());
        const Bytes file = readWholeFile(path);
        const auto reference = referenceReading(file);
        ASSERT_TRUE(reference.has_value()) << "libpng could not read a file of its own suite";
        const auto image = decode(file);
        EXPECT_TRUE(samePixels(image.get(), *reference));
    }
}

TEST(PngDecoder, FilesThatCrashedOlderReadersDecodeExactlyWhenLibpngCanReadThem)
{
    const auto files = pngFilesIn(pngSuiteFolder() / "testpngs" / "crashers", false);
    ASSERT_GE(files.size(), 20u);
    int refused = 0;
    for (const auto& path : files) {
        SCOPED_TRACE(path.filename().string());
        const Bytes file = readWholeFile(path);
        const auto reference = referenceReading(file);
        const auto image = decode(file);
        if (reference) {
            EXPECT_TRUE(samePixels(image.get(), *reference));
        } else {
            EXPECT_EQ(image, nullptr);
            ++refused;
        }
    }
    EXPECT_GT(refused, 0) << "some of these files are really broken";
}

struct Damage {
    const char* name; // the PngSuite file whose fault this reproduces
    const char* source;
    std::function<void(Bytes&)> apply;
};

void setHeaderByte(Bytes& file, size_t field, uint8_t value)
{
    const auto header = findChunk(file, "IHDR");
    file[header->offset + 8 + field] = value;
    repairCrc(file, *header);
}

Bytes widenEvery(const Bytes& file, uint8_t byte, uint8_t inserted)
{
    Bytes out;
    for (const uint8_t value : file) {
        if (value == byte) {
            out.push_back(inserted);
        }
        out.push_back(value);
    }
    return out;
}

const Damage damages[] = {
    {"xs1n0g01", "basn0g01.png", [](Bytes& f) { f[0] = 0x09; }},
    {"xs2n0g01", "basn0g01.png", [](Bytes& f) { f[1] = 'Q'; }},
    {"xs4n0g01", "basn0g01.png", [](Bytes& f) { f[3] = 'g'; }},
    {"xs7n0g01", "basn0g01.png", [](Bytes& f) { f[6] = ' '; }},
    {"xcrn0g04", "basn0g04.png", [](Bytes& f) { f = widenEvery(f, '\n', '\r'); }},
    {"xlfn0g04", "basn0g04.png", [](Bytes& f) { f = widenEvery(f, '\r', '\n'); }},
    {"xhdn0g08", "basn0g08.png", [](Bytes& f) { f[findChunk(f, "IHDR")->offset + 8 + 13] ^= 0x01; }},
    {"xc1n0g08", "basn0g08.png", [](Bytes& f) { setHeaderByte(f, 9, 1); }},
    {"xc9n2c08", "basn2c08.png", [](Bytes& f) { setHeaderByte(f, 9, 9); }},
    {"xd0n2c08", "basn2c08.png", [](Bytes& f) { setHeaderByte(f, 8, 0); }},
    {"xd3n2c08", "basn2c08.png", [](Bytes& f) { setHeaderByte(f, 8, 3); }},
    {"xd9n2c08", "basn2c08.png", [](Bytes& f) { setHeaderByte(f, 8, 99); }},
    {"xdtn0g01", "basn0g01.png",
     [](Bytes& f) {
         while (const auto data = findChunk(f, "IDAT")) {
             f.erase(f.begin() + static_cast<std::ptrdiff_t>(data->offset),
                     f.begin() + static_cast<std::ptrdiff_t>(data->offset + 12 + data->length));
         }
     }},
    {"xcsn0g01", "basn0g01.png",
     [](Bytes& f) {
         const auto data = findChunk(f, "IDAT");
         f[data->offset + 8 + data->length] ^= 0x40;
     }},
};

TEST(PngDecoder, FilesDamagedLikeTheSuitesBrokenOnesGiveNoPicture)
{
    for (const auto& damage : damages) {
        SCOPED_TRACE(damage.name);
        Bytes file = readWholeFile(pngSuiteFolder() / "pngsuite" / damage.source);
        ASSERT_TRUE(referenceReading(file).has_value());
        damage.apply(file);
        ASSERT_FALSE(referenceReading(file).has_value()) << "the damage must break the file for libpng too";
        EXPECT_EQ(decode(file), nullptr);
    }
}

TEST(PngDecoder, EveryTruncationOfAFileGivesNoPicture)
{
    for (const char* name : {"basn0g01.png", "basn3p08.png", "basn6a16.png", "interlaced/ibasn3p04.png"}) {
        SCOPED_TRACE(name);
        const Bytes file = readWholeFile(pngSuiteFolder() / "pngsuite" / name);
        ASSERT_NE(decode(file), nullptr);
        for (size_t length = 0; length < file.size(); ++length) {
            const Bytes prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
            ASSERT_EQ(decodePng(prefix.data(), prefix.size()), nullptr) << "cut after " << length << " bytes";
        }
    }
}

TEST(PngDecoder, DataThatIsNoPngGivesNoPicture)
{
    EXPECT_EQ(decodePng(nullptr, 100), nullptr);
    const Bytes signature = pngSignature();
    EXPECT_EQ(decodePng(signature.data(), 7), nullptr);
    EXPECT_EQ(decode(signature), nullptr);
    const Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01, 0x01};
    EXPECT_EQ(decode(jpeg), nullptr);
    EXPECT_EQ(decode(Bytes(64, 0)), nullptr);
}

Bytes greyHeader(uint32_t width, uint32_t height)
{
    Bytes header = bigEndian32(width);
    const Bytes h = bigEndian32(height);
    header.insert(header.end(), h.begin(), h.end());
    header.insert(header.end(), {8, 0, 0, 0, 0});
    return header;
}

TEST(PngDecoder, HugeClaimedSizesAreRefusedWithoutAllocatingThem)
{
    // A compressed empty row stream: the header's claim is all there is.
    const Bytes idat = {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01};
    for (const auto& [width, height] : {std::pair<uint32_t, uint32_t>{1000000, 1000000}, {20000, 20000},
                                        {0x7FFFFFFF, 1}, {0x80000000u, 1}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        Bytes file = pngSignature();
        for (const Bytes& chunk : {pngChunk("IHDR", greyHeader(width, height)), pngChunk("IDAT", idat),
                                   pngChunk("IEND", {})}) {
            file.insert(file.end(), chunk.begin(), chunk.end());
        }
        EXPECT_EQ(decode(file), nullptr);
    }
}

// Samples of the form b * 257 reduce to b whether 16-bit values are scaled or cut.
Bytes sixteenBit(std::initializer_list<uint8_t> values)
{
    Bytes samples;
    for (const uint8_t value : values) {
        samples.push_back(value);
        samples.push_back(value);
    }
    return samples;
}

Bytes pixel(const Image& image, int bufferRow, int column)
{
    const uint8_t* at = image.row(bufferRow) + column * 4;
    return Bytes(at, at + 4);
}

TEST(PngDecoder, SixteenBitGreyWithTransparencyBecomesEightBitColourWithAlpha)
{
    PngPicture picture;
    picture.width = 3;
    picture.height = 2;
    picture.colourType = PNG_COLOR_TYPE_GRAY;
    picture.bitDepth = 16;
    picture.samples = sixteenBit({0x12, 0xFF, 0x00, 0x80, 0x12, 0x34});
    picture.transparentGrey = 0x1212;
    const auto image = decode(writePng(picture));
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->width(), 3);
    ASSERT_EQ(image->height(), 2);
    ASSERT_EQ(image->size(), 24u);
    // The buffer starts with the bottom-left pixel.
    EXPECT_EQ(Bytes(image->pixels(), image->pixels() + 4), (Bytes{0x80, 0x80, 0x80, 0xFF}));
    EXPECT_EQ(pixel(*image, 0, 1), (Bytes{0x12, 0x12, 0x12, 0x00})); // the transparent grey
    EXPECT_EQ(pixel(*image, 0, 2), (Bytes{0x34, 0x34, 0x34, 0xFF}));
    EXPECT_EQ(pixel(*image, 1, 0), (Bytes{0x12, 0x12, 0x12, 0x00}));
    EXPECT_EQ(pixel(*image, 1, 1), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(pixel(*image, 1, 2), (Bytes{0x00, 0x00, 0x00, 0xFF}));
}

TEST(PngDecoder, ColourComesOutBlueGreenRedWithAnOpaqueFillerByte)
{
    PngPicture picture;
    picture.width = 2;
    picture.height = 1;
    picture.colourType = PNG_COLOR_TYPE_RGB;
    picture.samples = {0x10, 0x20, 0x30, 0xA0, 0xB0, 0xC0};
    const auto image = decode(writePng(picture));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixel(*image, 0, 0), (Bytes{0x30, 0x20, 0x10, 0xFF}));
    EXPECT_EQ(pixel(*image, 0, 1), (Bytes{0xC0, 0xB0, 0xA0, 0xFF}));

    picture.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    picture.samples = {0x10, 0x20, 0x30, 0x40, 0xA0, 0xB0, 0xC0, 0xD0};
    const auto withAlpha = decode(writePng(picture));
    ASSERT_NE(withAlpha, nullptr);
    EXPECT_EQ(pixel(*withAlpha, 0, 0), (Bytes{0x30, 0x20, 0x10, 0x40}));
    EXPECT_EQ(pixel(*withAlpha, 0, 1), (Bytes{0xC0, 0xB0, 0xA0, 0xD0}));
}

TEST(PngDecoder, PaletteAndLowBitGreyExpandToColour)
{
    PngPicture palette;
    palette.width = 4;
    palette.height = 1;
    palette.colourType = PNG_COLOR_TYPE_PALETTE;
    palette.bitDepth = 2;
    palette.samples = {0b00011011}; // entries 0, 1, 2, 3
    palette.palette = {1, 2, 3, 10, 20, 30, 100, 110, 120, 200, 210, 220};
    palette.transparencyAlpha = {0, 128}; // entries without an alpha are opaque
    const auto image = decode(writePng(palette));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixel(*image, 0, 0), (Bytes{3, 2, 1, 0}));
    EXPECT_EQ(pixel(*image, 0, 1), (Bytes{30, 20, 10, 128}));
    EXPECT_EQ(pixel(*image, 0, 2), (Bytes{120, 110, 100, 255}));
    EXPECT_EQ(pixel(*image, 0, 3), (Bytes{220, 210, 200, 255}));

    PngPicture grey;
    grey.width = 3;
    grey.height = 2;
    grey.colourType = PNG_COLOR_TYPE_GRAY;
    grey.bitDepth = 1;
    grey.samples = {0b10100000, 0b01000000}; // top row: white, black, white
    const auto bits = decode(writePng(grey));
    ASSERT_NE(bits, nullptr);
    EXPECT_EQ(pixel(*bits, 1, 0), (Bytes{255, 255, 255, 255}));
    EXPECT_EQ(pixel(*bits, 1, 1), (Bytes{0, 0, 0, 255}));
    EXPECT_EQ(pixel(*bits, 0, 0), (Bytes{0, 0, 0, 255}));
    EXPECT_EQ(pixel(*bits, 0, 1), (Bytes{255, 255, 255, 255}));
}

} // namespace

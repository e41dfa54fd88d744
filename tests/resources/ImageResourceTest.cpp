// Every picture of the skin is in the program as an "IMAGE" resource holding a whole PNG file at
// the size the panels lay it out for. The list of ids and sizes is written by the skin generator
// beside the pictures; the bytes are read here without the program's PNG decoder.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>

namespace {

struct ListedImage {
    int id;
    std::uint32_t width;
    std::uint32_t height;
};

const ListedImage listed[] = {
#define TARVO_IMAGE(id, width, height) {id, width, height},
#include "images/sizes.def"
#undef TARVO_IMAGE
};

struct Bytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

Bytes image_resource(int id)
{
    HRSRC info = FindResourceW(nullptr, MAKEINTRESOURCEW(id), L"IMAGE");
    if (!info)
        return {};
    HGLOBAL handle = LoadResource(nullptr, info);
    if (!handle)
        return {};
    return {static_cast<const unsigned char*>(LockResource(handle)), SizeofResource(nullptr, info)};
}

std::uint32_t read_be32(const unsigned char* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// What the test needs of a PNG file: its header fields and whether its chunks run whole from the
// signature to IEND inside the resource.
struct PngFacts {
    bool signature = false;
    bool header_first = false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bit_depth = 0;
    int colour_type = -1;
    bool transparency_chunk = false;
    bool ends_with_iend = false;
};

PngFacts read_png(Bytes bytes)
{
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PngFacts facts;
    if (bytes.size < 8 || std::memcmp(bytes.data, signature, 8) != 0)
        return facts;
    facts.signature = true;
    std::size_t at = 8;
    bool first = true;
    while (bytes.size - at >= 12) {
        const std::uint32_t length = read_be32(bytes.data + at);
        const std::string type(reinterpret_cast<const char*>(bytes.data + at + 4), 4);
        if (length > bytes.size - at - 12)
            break; // a chunk running past the end of the resource
        const unsigned char* body = bytes.data + at + 8;
        if (first && type == "IHDR" && length == 13) {
            facts.header_first = true;
            facts.width = read_be32(body);
            facts.height = read_be32(body + 4);
            facts.bit_depth = body[8];
            facts.colour_type = body[9];
        }
        facts.transparency_chunk |= type == "tRNS";
        first = false;
        at += 12 + length;
        if (type == "IEND") {
            facts.ends_with_iend = at == bytes.size;
            break;
        }
    }
    return facts;
}

BOOL CALLBACK collect_id(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found)
{
    // A name given as text instead of a number would be an id no panel can ask for: -1 reports it.
    const int id = IS_INTRESOURCE(name) ? int(reinterpret_cast<ULONG_PTR>(name)) : -1;
    reinterpret_cast<std::set<int>*>(found)->insert(id);
    return TRUE;
}

TEST(ImageResources, EveryListedPictureIsAWholePngOfItsLaidOutSize)
{
    for (const auto& image : listed) {
        SCOPED_TRACE("IMAGE " + std::to_string(image.id));
        const Bytes bytes = image_resource(image.id);
        ASSERT_NE(bytes.data, nullptr);
        const PngFacts png = read_png(bytes);
        ASSERT_TRUE(png.signature);
        ASSERT_TRUE(png.header_first);
        EXPECT_EQ(png.width, image.width);
        EXPECT_EQ(png.height, image.height);
        EXPECT_TRUE(png.ends_with_iend) << "truncated or with bytes after IEND";
    }
}

TEST(ImageResources, ProgramCarriesExactlyTheListedPictures)
{
    std::set<int> expected;
    for (const auto& image : listed)
        EXPECT_TRUE(expected.insert(image.id).second) << "listed twice: " << image.id;
    std::set<int> found;
    ASSERT_TRUE(EnumResourceNamesW(nullptr, L"IMAGE", collect_id, reinterpret_cast<LONG_PTR>(&found)));
    EXPECT_EQ(found, expected);
}

// The panels copy pictures with StretchDIBits and SRCCOPY, which ignores alpha: a picture that
// relied on transparency would show whatever colour its transparent pixels happen to hold.
TEST(ImageResources, EveryPictureIsOpaque)
{
    for (const auto& image : listed) {
        SCOPED_TRACE("IMAGE " + std::to_string(image.id));
        const PngFacts png = read_png(image_resource(image.id));
        ASSERT_TRUE(png.header_first);
        EXPECT_TRUE(png.colour_type == 0 || png.colour_type == 2 || png.colour_type == 3)
            << "colour type " << png.colour_type;
        EXPECT_FALSE(png.transparency_chunk);
    }
}

} // namespace

#include "ui/Resource.h"

#include "base/Exception.h"
#include "platform/WindowsError.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<uint8_t> testFile(const char* name)
{
    std::ifstream in(std::string(TARVO_UI_TEST_DATA) + "/" + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(Resource, LoadResourceGivesTheBytesOfTheFileItWasMadeFrom)
{
    const std::vector<uint8_t> file = testFile("three-by-two.png");
    ASSERT_FALSE(file.empty());
    const ResourceData resource = loadResource(L"IMAGE", 30001);
    ASSERT_EQ(resource.size, file.size());
    EXPECT_EQ(std::vector<uint8_t>(resource.data, resource.data + resource.size), file);
}

TEST(Resource, MissingResourceThrowsTheSystemsText)
{
    try {
        loadResource(L"IMAGE", 30999);
        FAIL() << "no exception";
    } catch (const WindowException& failure) {
        EXPECT_EQ(failure.message(), format_error(ERROR_RESOURCE_NAME_NOT_FOUND).message());
    }
    EXPECT_THROW(loadResource(L"TARVONOTYPE", 30001), WindowException);
}

TEST(Resource, ImageResourceDecodesBottomRowFirst)
{
    const auto image = loadImage(30001);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->width(), 3);
    ASSERT_EQ(image->height(), 2);
    ASSERT_EQ(image->size(), 24u);
    const uint8_t* pixels = image->pixels();
    // Bottom row: white, black, (10, 20, 30) at alpha 128; top row: red, green, blue.
    EXPECT_EQ(std::vector<uint8_t>(pixels, pixels + 12),
              (std::vector<uint8_t>{255, 255, 255, 255, 0, 0, 0, 255, 30, 20, 10, 128}));
    EXPECT_EQ(std::vector<uint8_t>(pixels + 12, pixels + 24),
              (std::vector<uint8_t>{0, 0, 255, 255, 0, 255, 0, 255, 255, 0, 0, 255}));
}

TEST(Resource, ImageThatIsMissingOrNoPngGivesNoPicture)
{
    EXPECT_EQ(loadImage(30002), nullptr);
    EXPECT_EQ(loadImage(30999), nullptr);
}

} // namespace

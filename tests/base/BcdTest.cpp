#include "base/ModelCode.h"
#include "base/Bcd.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Bcd, FourDigitsRoundTripThroughTwoBytes)
{
    for (unsigned value = 0; value <= 9999; ++value) {
        uint8_t bytes[2] = {0xFF, 0xFF};
        encode_bcd(value, bytes, 2);
        ASSERT_EQ(bytes[0], (value / 1000) << 4 | (value / 100 % 10)) << value;
        ASSERT_EQ(bytes[1], (value / 10 % 10) << 4 | (value % 10)) << value;
        ASSERT_EQ(decode_bcd(bytes, 2), static_cast<int>(value));
    }
}

TEST(Bcd, HighDigitsThatDoNotFitAreDropped)
{
    uint8_t one[1];
    encode_bcd(145, one, 1);
    EXPECT_EQ(one[0], 0x45);
    uint8_t two[2];
    encode_bcd(12345, two, 2);
    EXPECT_EQ(two[0], 0x23);
    EXPECT_EQ(two[1], 0x45);
    uint8_t five[5] = {};
    encode_bcd(2099, five, 5);
    EXPECT_EQ(std::vector<uint8_t>(five, five + 5), (std::vector<uint8_t>{0x00, 0x00, 0x00, 0x20, 0x99}));
    // A counter beyond 32 bits keeps its last eight digits, as the recorder's counters wrap.
    uint8_t four[4] = {};
    encode_bcd(123456789012ULL, four, 4);
    EXPECT_EQ(std::vector<uint8_t>(four, four + 4), (std::vector<uint8_t>{0x56, 0x78, 0x90, 0x12}));
}

TEST(Bcd, NibblesAreDigitsEvenWhenTheyAreNot)
{
    const uint8_t unused[2] = {0xFF, 0xFF};
    EXPECT_EQ(decode_bcd(unused, 1), 165);
    EXPECT_EQ(decode_bcd(unused, 2), 16665);
    const uint8_t odd[2] = {0x0A, 0xB1};
    EXPECT_EQ(decode_bcd(odd, 2), 10 * 100 + 111);
    EXPECT_EQ(decode_bcd(odd, 0), 0);
    const uint8_t largest[] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(decode_bcd(largest, 4), 166666665);
    const uint8_t eight_digits[] = {0x12, 0x34, 0x56, 0x78};
    EXPECT_EQ(decode_bcd(eight_digits, 4), 12345678);
}

TEST(ModelCode, ParsedAsHexadecimalWithinSixteenBits)
{
    EXPECT_EQ(parse_model_code(L"0312"), (ModelCode{0x03, 0x12}));
    EXPECT_EQ(parse_model_code(L"abCD"), (ModelCode{0xAB, 0xCD}));
    EXPECT_EQ(parse_model_code(L"FFFF"), (ModelCode{0xFF, 0xFF}));
    EXPECT_EQ(parse_model_code(L"7"), (ModelCode{0x00, 0x07}));
    EXPECT_EQ(parse_model_code(L" 0x0413\r\n"), (ModelCode{0x04, 0x13}));
    EXPECT_EQ(parse_model_code(L"00000000512"), (ModelCode{0x05, 0x12}));
}

TEST(ModelCode, AnythingElseKeepsTheBuiltInThreeAndEighteen)
{
    const ModelCode built_in{3, 18};
    for (const wchar_t* text : {L"", L"   ", L"0x", L"10000", L"FFFFFFFFF", L"03 12", L"031G", L"-1", L"+312", L"０３１２"}) {
        EXPECT_EQ(parse_model_code(text), built_in) << "\"" << testing::PrintToString(std::wstring(text)) << "\"";
    }
}

TEST(ModelCode, ThisBuildsCodeComesFromTheStringTable)
{
    EXPECT_EQ(model_code(), (ModelCode{0x03, 0x12}));
}

} // namespace

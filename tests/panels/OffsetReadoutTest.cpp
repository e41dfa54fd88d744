// The console's offset readout: the text from the detection instant and its glyph pictures.
#include "panels/OffsetReadout.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t zero[] = L"\u00b100.0";

TEST(OffsetReadout, TenthsFromTheDetectionFrameTruncatedTowardZero)
{
    // Detection at frame 300 (10 s into an event recording at 30 frames per second).
    EXPECT_EQ(OffsetReadout::text(true, 1, 300, 295), L"-00.1") << "5 frames before: t = -50 / 30 = -1";
    EXPECT_EQ(OffsetReadout::text(true, 1, 300, 303), L"+00.1") << "3 frames after: t = 1";
    EXPECT_EQ(OffsetReadout::text(true, 1, 300, 298), zero) << "2 frames before truncates to 0";
    EXPECT_EQ(OffsetReadout::text(true, 1, 300, 302), zero);
    EXPECT_EQ(OffsetReadout::text(true, 1, 300, 300), zero);
    EXPECT_EQ(OffsetReadout::text(true, 2, 300, 0), L"-10.0");
    EXPECT_EQ(OffsetReadout::text(true, 2, 300, 599), L"+09.9") << "299 frames: 9.96 s";
    EXPECT_EQ(OffsetReadout::text(true, 1, 0, 3702), L"+123.4") << "three digits from 100 s on";
    EXPECT_EQ(OffsetReadout::text(true, 1, 3702, 0), L"-123.4");
}

TEST(OffsetReadout, NoDetectionInstantReadsZero)
{
    EXPECT_EQ(OffsetReadout::text(false, 1, 300, 0), zero) << "no recording information";
    EXPECT_EQ(OffsetReadout::text(true, 0, 300, 0), zero) << "kind code 0 has no detection";
    EXPECT_EQ(OffsetReadout::text(true, 3, 300, 0), zero);
    EXPECT_EQ(OffsetReadout::text(true, 1, -1, 200), zero) << "a kind without its detection frame";
}

TEST(OffsetReadout, GlyphsForEveryCharacterItCanShow)
{
    EXPECT_EQ(OffsetReadout::glyphImage(L'0'), 237);
    EXPECT_EQ(OffsetReadout::glyphImage(L'5'), 242);
    EXPECT_EQ(OffsetReadout::glyphImage(L'9'), 246);
    EXPECT_EQ(OffsetReadout::glyphImage(L'.'), 247);
    EXPECT_EQ(OffsetReadout::glyphImage(L'-'), 248);
    EXPECT_EQ(OffsetReadout::glyphImage(L'+'), 249);
    EXPECT_EQ(OffsetReadout::glyphImage(L'\u00b1'), 236);
    for (const wchar_t other : {L' ', L'/', L':', L'a', L',', L'\0'}) {
        EXPECT_EQ(OffsetReadout::glyphImage(other), 0) << static_cast<int>(other);
    }
}

} // namespace

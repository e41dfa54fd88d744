// The texts compiled into the program's resources are the same characters as the list they
// come from: a lost code page would turn them into mojibake.
#include "base/Text.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

struct Entry {
    int id;
    const wchar_t* text;
};

const Entry entries[] = {
#define TARVO_TEXT(id, name, text) {id, L"" text},
#include "strings.def"
#undef TARVO_TEXT
};

TEST(StringTable, EveryEntryLoadsWithItsExactCharacters)
{
    ASSERT_GE(std::size(entries), 103u); // the table the viewer started with, and whatever came since
    for (const auto& entry : entries) {
        EXPECT_EQ(load_text(entry.id), entry.text) << "id " << entry.id;
        EXPECT_EQ(load_text_narrow(entry.id), entry.text) << "id " << entry.id;
    }
}

TEST(StringTable, NarrowTextIsShiftJisOnJapaneseSystems)
{
    ASSERT_EQ(GetACP(), 932u) << "tests run with the Japanese locale";
    EXPECT_EQ(to_narrow(L"警告"), "\x8C\x78\x8D\x90");
    EXPECT_EQ(to_wide("\x8C\x78\x8D\x90"), L"警告");
    EXPECT_EQ(to_narrow(L"ｲﾍﾞﾝﾄ"), "\xB2\xCD\xDE\xDD\xC4"); // half-width katakana stay one byte each
}

} // namespace

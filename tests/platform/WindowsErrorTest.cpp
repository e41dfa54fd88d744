#include "platform/WindowsError.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(WindowsError, CodeWithoutSystemTextGivesTheWindowsErrorEntryInDecimal)
{
    const WindowException error = format_error(0x3FFFFF01);
    EXPECT_EQ(error.message(), L"Windowsのエラーです。エラーコード:1073741569");
}

TEST(WindowsError, KnownCodeGivesTheSystemsText)
{
    const std::wstring message = format_error(ERROR_FILE_NOT_FOUND).message();
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(message.find(L"エラーコード"), std::wstring::npos);
}

} // namespace

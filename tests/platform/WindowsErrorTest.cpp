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

TEST(WindowsError, ASystemTextWithPlaceholdersIsGivenAsWritten)
{
    // Any code whose system text names an argument ("%1"), found through the system itself.
    for (DWORD code = 1; code < 16000; ++code) {
        wchar_t raw[1024];
        const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                            0, raw, 1024, nullptr);
        const std::wstring text(raw, length);
        if (text.find(L"%1") == std::wstring::npos) {
            continue;
        }
        EXPECT_EQ(format_error(code).message(), text) << "code " << code;
        return;
    }
    GTEST_SKIP() << "no system text with a placeholder";
}

} // namespace

#include "base/Text.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

namespace {

TEST(Text, AbsentIdLoadsAsEmptyText)
{
    EXPECT_EQ(load_text(4999), L"");
    EXPECT_EQ(load_text(5044), L"");
    EXPECT_EQ(load_text_narrow(5044), L"");
}

TEST(Text, LoadsJapaneseTextExactlyThroughBothLoaders)
{
    EXPECT_EQ(load_text(texts::caption_warning), L"警告");
    EXPECT_EQ(load_text_narrow(texts::confirm_exit), L"Tarvo_Viewerを終了しますか？");
    EXPECT_EQ(load_text(texts::os_version_unknown), L"お使いのオペレーティングシステムのバージョンを識別できません。\r\n"
                               L"Tarvo_Viewerを正しく実行できないかもしれません。");
}

TEST(Text, FormatTextPutsTheNumberInPlaceOfThePlaceholder)
{
    EXPECT_EQ(format_text(texts::chapter_limit, 60), L"連続記録データは60分までしか再生できません。");
    EXPECT_EQ(format_text(texts::windows_error_code, 1073741823), L"Windowsのエラーです。エラーコード:1073741823");
    // A text without a placeholder comes back unchanged.
    EXPECT_EQ(format_text(texts::caption_warning, 7), L"警告");
    // Several numbers go into the placeholders in order; a placeholder without a number stays,
    // a number without a placeholder is dropped.
    EXPECT_EQ(format_text(texts::export_progress_text, {12, 30}), L"12 秒 / 30 秒");
    EXPECT_EQ(format_text(texts::export_progress_text, {12}), L"12 秒 / %d 秒");
    EXPECT_EQ(format_text(texts::telemetry_progress_text, {3, 60, 9}), L"3 / 60 ファイル");
}

TEST(Text, JapaneseSurvivesNarrowingAndWideningBack)
{
    const std::wstring texts[] = {L"", L"ASCII only", L"該当データは存在しません。", L"ｲﾍﾞﾝﾄ記録",
                                  L"　簡易設定　", L"C:\\カード\\Video0001.dmv"};
    for (const auto& text : texts) {
        EXPECT_EQ(to_wide(to_narrow(text)), text);
    }
}

} // namespace

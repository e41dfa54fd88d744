// The settings dialog's level and number arithmetic: slider positions, labels and the typed values.
#include "device/CabinetNames.h"
#include "device/EditNumbers.h"
#include "device/ThresholdLevels.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

namespace {

using namespace threshold_levels;

TEST(ThresholdLevels, ExactLevelsSitOnEvenPositionsAndOthersJustBeforeTheNextLowerLevel)
{
    EXPECT_EQ(level_position(60), 0);
    EXPECT_EQ(level_position(45), 10);
    EXPECT_EQ(level_position(44), 12);
    EXPECT_EQ(level_position(40), 20);
    // Between 48 (index 4) and 45 (index 5): the odd position before 45.
    EXPECT_EQ(level_position(46), 9);
    EXPECT_EQ(level_position(59), 1);
    // Outside the table: the slider's ends.
    EXPECT_EQ(level_position(75), 0);
    EXPECT_EQ(level_position(39), 20);
    EXPECT_EQ(level_position(0), 20);
}

TEST(ThresholdLevels, LabelsCountLevelsFromOneAndMarkPositionsBetweenLevels)
{
    EXPECT_EQ(level_label(0), L"1");
    EXPECT_EQ(level_label(12), L"7");
    EXPECT_EQ(level_label(9), L"5*");
    EXPECT_EQ(level_label(20), L"11");
}

TEST(ThresholdLevels, AUserMoveSnapsTowardHighAndGivesTheLevelsThreshold)
{
    EXPECT_EQ(snapped_position(9), 10);
    EXPECT_EQ(snapped_position(10), 10);
    EXPECT_EQ(snapped_position(19), 20);
    EXPECT_EQ(level_threshold(10), 45);
    EXPECT_EQ(level_threshold(12), 44);
    EXPECT_EQ(level_threshold(40), 40); // the index is clamped to the table
    EXPECT_TRUE(is_level(44));
    EXPECT_FALSE(is_level(46));
    EXPECT_FALSE(is_level(61));
}

TEST(ThresholdLevels, TheExactSliderRunsFromSixtyDownToForty)
{
    EXPECT_EQ(exact_position(45), 15);
    EXPECT_EQ(exact_threshold(15), 45);
    EXPECT_EQ(exact_position(70), 0);
    EXPECT_EQ(exact_position(30), 20);
}

TEST(EditNumbers, HundredthsAreClampedAndKeepTheirLastDigit)
{
    EXPECT_EQ(parse_hundredths(L"0.45", 40, 60), 45); // 0.45 is 0.4499... as a double
    EXPECT_EQ(parse_hundredths(L"0.455", 40, 60), 45);
    EXPECT_EQ(parse_hundredths(L"0.7", 40, 60), 60);
    EXPECT_EQ(parse_hundredths(L"0.1", 40, 60), 40);
    EXPECT_EQ(parse_hundredths(L" 0.58  ", 40, 60), 58);
    EXPECT_EQ(parse_hundredths(L"0.29", 0, 30), 29);
    EXPECT_EQ(parse_hundredths(L"-1", 0, 30), 0);
}

TEST(EditNumbers, TextThatIsNotOneNumberGivesNothing)
{
    EXPECT_FALSE(parse_hundredths(L"", 40, 60));
    EXPECT_FALSE(parse_hundredths(L"   ", 40, 60));
    EXPECT_FALSE(parse_hundredths(L"abc", 40, 60));
    EXPECT_FALSE(parse_hundredths(L"0.5G", 40, 60));
    EXPECT_FALSE(parse_hundredths(L"nan", 40, 60));
    EXPECT_FALSE(parse_whole(L"7a", 0, 23));
    EXPECT_FALSE(parse_whole(L"", 0, 23));
    EXPECT_FALSE(parse_whole(L"\t", 0, 23));
}

TEST(EditNumbers, WholeNumbersAreClampedToTheRange)
{
    EXPECT_EQ(parse_whole(L"25", 0, 23), 23);
    EXPECT_EQ(parse_whole(L"-50", -45, 45), -45);
    EXPECT_EQ(parse_whole(L"99999999999999999999", -45, 45), 45);
    EXPECT_EQ(parse_whole(L"-5 ", -45, 45), -5);
    EXPECT_EQ(hundredths_text(45), L"0.45");
    EXPECT_EQ(hundredths_text(5), L"0.05");
    EXPECT_EQ(hundredths_text(60), L"0.60");
}

TEST(CabinetNames, NamesThatWouldLeaveTheCardFolderAreRefused)
{
    EXPECT_TRUE(is_safe_cabinet_name("DRVREC.BIN"));
    EXPECT_TRUE(is_safe_cabinet_name("SYSTEM\\BOOT.BIN"));
    EXPECT_TRUE(is_safe_cabinet_name("..hidden"));
    EXPECT_TRUE(is_safe_cabinet_name("a...b"));
    EXPECT_FALSE(is_safe_cabinet_name(""));
    EXPECT_FALSE(is_safe_cabinet_name("..\\WINDOWS\\x.dll"));
    EXPECT_FALSE(is_safe_cabinet_name("SYSTEM\\..\\..\\x"));
    EXPECT_FALSE(is_safe_cabinet_name("a/../../x"));
    EXPECT_FALSE(is_safe_cabinet_name("x\\.."));
    EXPECT_FALSE(is_safe_cabinet_name("\\WINDOWS\\x.dll"));
    EXPECT_FALSE(is_safe_cabinet_name("/etc/passwd"));
    EXPECT_FALSE(is_safe_cabinet_name("C:x.dll"));
    EXPECT_FALSE(is_safe_cabinet_name("C:\\x.dll"));
    EXPECT_FALSE(is_safe_cabinet_name("\\\\server\\share\\x"));
}

TEST(CabinetNames, DecoderErrorsMapInOrderAndUnknownOnesToTheUndefinedText)
{
    EXPECT_EQ(cabinet_error_text(0), texts::cabinet_error_none);
    EXPECT_EQ(cabinet_error_text(2), texts::cabinet_not_a_cabinet);
    EXPECT_EQ(cabinet_error_text(4), texts::cabinet_corrupt);
    EXPECT_EQ(cabinet_error_text(11), texts::cabinet_user_abort);
    EXPECT_EQ(cabinet_error_text(12), texts::cabinet_undefined);
    EXPECT_EQ(cabinet_error_text(-1), texts::cabinet_undefined);
}

} // namespace

// The speed meter under Wine: its text and where the number stands.
#include "panels/SpeedMeter.h"

#include "panels/DashboardFixture.h"

#include <gtest/gtest.h>

namespace {

class SpeedMeterTest : public ::testing::Test {
protected:
    SpeedMeterTest()
    {
        meter_ = new SpeedMeter(host_.get(), source_);
        MoveWindow(meter_->handle(), 0, 0, 179, 45, TRUE);
        pumpPending();
    }
    WindowPicture shown_with_speed(int speed)
    {
        source_.recording->at(0).speed = speed;
        meter_->update();
        return WindowPicture(meter_->handle());
    }

    HostWindow host_{0, 0, 300, 100};
    TestSource source_;
    SpeedMeter* meter_ = nullptr; // belongs to its window
};

TEST_F(SpeedMeterTest, TheNumberTakesThreeColumnsAndNoRecordADash)
{
    EXPECT_EQ(SpeedMeter::text(5), L"  5");
    EXPECT_EQ(SpeedMeter::text(0), L"  0");
    EXPECT_EQ(SpeedMeter::text(123), L"123");
    EXPECT_EQ(SpeedMeter::text(180), L"180");
    EXPECT_EQ(SpeedMeter::text(-1), L" - ");
}

TEST_F(SpeedMeterTest, WithoutARecordingItShowsADashAndTheUnitOnTheHatch)
{
    EXPECT_EQ(meter_->speed(), -1);
    meter_->update();
    const WindowPicture shown(meter_->handle());
    EXPECT_GT(shown.count(RGB(255, 255, 255)), 20) << "the dash and km/h";
    EXPECT_GT(shown.count(RGB(64, 64, 64)), 100) << "the hatch";
    EXPECT_GT(shown.count(RGB(0, 0, 0)), 100) << "between the hatch lines";
    // A frame without a record reads the same as no recording.
    source_.recording = recording_of(3, 0, 0, 42);
    source_.recording->frames[1].reset();
    source_.current = 1;
    EXPECT_EQ(meter_->speed(), -1);
    source_.current = 2;
    EXPECT_EQ(meter_->speed(), 42);
}

TEST_F(SpeedMeterTest, TheLastDigitStandsInOnePlaceWhateverTheSpeed)
{
    source_.recording = recording_of(1, 0, 0, 5);
    const WindowPicture five = shown_with_speed(5);
    EXPECT_EQ(meter_->speed(), 5);
    const WindowPicture six = shown_with_speed(6);
    const WindowPicture hundred_and_five = shown_with_speed(105);
    const std::vector<int> last_digit = differing_columns(five, six);
    const std::vector<int> leading_digits = differing_columns(five, hundred_and_five);
    ASSERT_FALSE(last_digit.empty());
    ASSERT_FALSE(leading_digits.empty());
    // "  5" and "105" differ only left of the last digit, which "  5" and "  6" share.
    EXPECT_LT(leading_digits.front(), last_digit.front());
    EXPECT_LT(leading_digits.back(), last_digit.back() - 5);
    // The unit does not move either: right of the number nothing changes.
    const WindowPicture no_record = [&] {
        source_.recording.reset();
        meter_->update();
        return WindowPicture(meter_->handle());
    }();
    const std::vector<int> dash = differing_columns(five, no_record);
    ASSERT_FALSE(dash.empty());
    EXPECT_LE(dash.back(), last_digit.back());
}

} // namespace

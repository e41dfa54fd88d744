// The main window's layout for client sizes and display modes, without a window.
#include "app/MainLayout.h"

#include "recording/DataType.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

namespace {

int bottom_of(const Placement& place) { return place.y + place.height; }
int right_of(const Placement& place) { return place.x + place.width; }

// The client area of the 890 x 725 start window on these systems.
constexpr int start_width = 874;
constexpr int start_height = 666;

TEST(MainLayoutTest, EventModeAtTheStartSizePlacesEveryChild)
{
    const MainLayout layout(start_width, start_height, data_type_event);
    // The line chart takes the bottom 90 pixels; everything else stands on y = 576.
    EXPECT_EQ(layout.bottom_strip(), (Placement{0, 576, 874, 90}));
    EXPECT_EQ(layout.console(), (Placement{0, 511, 874, 65}));
    EXPECT_EQ(layout.info_panel(), (Placement{665, 0, 209, 125}));
    EXPECT_EQ(layout.speed_meter(), (Placement{679, 128, 179, 32}));
    EXPECT_EQ(layout.stopwatch(), (Placement{665, 167, 209, 89}));
    EXPECT_EQ(layout.circle_chart(), (Placement{665, 256, 209, 165}));
    EXPECT_EQ(layout.config_panel(), (Placement{665, 421, 209, 90}));
    EXPECT_EQ(layout.player(), (Placement{21, 0, 644, 511}));
    EXPECT_EQ(layout.animation(), (Placement{208, 230, 227, 51}));
}

TEST(MainLayoutTest, ModesEnableEitherTheLineChartOrTheThumbnails)
{
    const MainLayout event(start_width, start_height, data_type_event);
    const MainLayout continuous(start_width, start_height, data_type_continuous);
    const MainLayout image(start_width, start_height, data_type_image);
    for (const MainLayout* recording : {&event, &continuous}) {
        EXPECT_TRUE(recording->line_chart_enabled());
        EXPECT_FALSE(recording->thumbnails_enabled());
        EXPECT_TRUE(recording->console_enabled());
        EXPECT_TRUE(recording->circle_chart_enabled());
        EXPECT_TRUE(recording->sound_controls());
    }
    EXPECT_FALSE(image.line_chart_enabled());
    EXPECT_TRUE(image.thumbnails_enabled());
    EXPECT_FALSE(image.console_enabled());
    EXPECT_FALSE(image.circle_chart_enabled());
    EXPECT_FALSE(image.sound_controls());
    // One strip in every mode, so the children stand where they stand for recordings.
    EXPECT_EQ(image.bottom_strip(), event.bottom_strip());
    EXPECT_EQ(image.console(), event.console());
    EXPECT_EQ(image.player(), continuous.player());
    EXPECT_EQ(image.config_panel(), continuous.config_panel());
}

TEST(MainLayoutTest, ChildrenShareEdgesWithoutOverlapAtEverySize)
{
    for (int width = 800; width <= 1920; width += 97) {
        for (int height = 666; height <= 1200; height += 53) {
            SCOPED_TRACE(testing::Message() << width << " x " << height);
            const MainLayout layout(width, height, data_type_event);
            EXPECT_EQ(bottom_of(layout.bottom_strip()), height);
            EXPECT_EQ(bottom_of(layout.console()), layout.bottom_strip().y);
            // The right column, top to bottom, ends on the console.
            EXPECT_LE(bottom_of(layout.info_panel()), layout.speed_meter().y);
            EXPECT_LE(bottom_of(layout.speed_meter()), layout.stopwatch().y);
            EXPECT_EQ(bottom_of(layout.stopwatch()), layout.circle_chart().y);
            EXPECT_EQ(bottom_of(layout.circle_chart()), layout.config_panel().y);
            EXPECT_EQ(bottom_of(layout.config_panel()), layout.console().y);
            EXPECT_EQ(right_of(layout.config_panel()), width);
            EXPECT_LT(right_of(layout.speed_meter()), width);
            EXPECT_LE(layout.speed_meter().height, MainLayout::speed_meter_max_height);
            // The player fills the rest, right of the 21-pixel edge and left of the column.
            EXPECT_EQ(right_of(layout.player()), layout.info_panel().x);
            EXPECT_EQ(bottom_of(layout.player()), layout.console().y);
            // The animation lies inside the player, centred to a pixel.
            const Placement animation = layout.animation();
            const Placement player = layout.player();
            EXPECT_LE(std::abs(animation.x - (player.width - right_of(animation))), 1);
            EXPECT_LE(std::abs(animation.y - (player.height - bottom_of(animation))), 1);
        }
    }
}

TEST(MainLayoutTest, TheSpeedMeterStaysAsTallAsAtTheStartSize)
{
    // Client heights: a shorter start window, Wine's start window, maximised on 1280 x 1024.
    const std::pair<int, int> heights[] = {{666, 32}, {675, 41}, {676, 41}, {990, 41}};
    for (const auto& [height, meter] : heights) {
        for (const int data_type : {data_type_event, data_type_image, data_type_continuous}) {
            EXPECT_EQ(MainLayout(1276, height, data_type).speed_meter(), (Placement{1081, 128, 179, meter}))
                << height << " " << data_type;
        }
    }
}

TEST(MainLayoutTest, AWindowSmallerThanTheDashboardGetsNoNegativeSizes)
{
    for (const int data_type : {data_type_event, data_type_image}) {
        const MainLayout layout(100, 40, data_type);
        EXPECT_EQ(layout.player().width, 0);
        EXPECT_EQ(layout.speed_meter().height, 0);
    }
}

TEST(MainLayoutTest, BackgroundTilesFillTheColumnBetweenItsPieces)
{
    const MainLayout layout(start_width, start_height, data_type_event);
    // Bottom piece 40 high: its top is at 666 - 40 - 499 = 127; the top piece ends at 121 + 2.
    const BackgroundPieces short_column = layout.background(2, 1, 40);
    EXPECT_EQ(short_column.column_bottom, (Placement{665, 127, 209, 40}));
    EXPECT_EQ(short_column.column_top, (Placement{665, 121, 209, 2}));
    ASSERT_EQ(short_column.column_tiles.size(), 4u);
    EXPECT_EQ(short_column.column_tiles.front(), (Placement{665, 123, 209, 1}));
    EXPECT_EQ(short_column.left_edge, (Placement{0, 0, 21, 511}));

    EXPECT_EQ(short_column.column_face.height, 0) << "at the start size the well reaches the stopwatch";

    // Taller, the well still ends 7 rows under the 41-row meter (128 + 41 + 7 = 176, its bottom
    // piece 20 rows above), and the plain face fills the column down to the stopwatch.
    const MainLayout tall(start_width, 1000, data_type_image);
    const BackgroundPieces pieces = tall.background(2, 7, 40);
    const int bottom = 176 - 40;
    EXPECT_EQ(pieces.column_bottom, (Placement{665, bottom, 209, 40}));
    ASSERT_FALSE(pieces.column_tiles.empty());
    int next = 121 + 2;
    for (const Placement& tile : pieces.column_tiles) {
        EXPECT_EQ(tile.y, next);
        EXPECT_EQ(tile.x, start_width - 209);
        EXPECT_EQ(tile.width, 209);
        next = bottom_of(tile);
    }
    EXPECT_EQ(next, bottom);
    // 136 - 123 = 13 = 7 + 6: the last copy is cut to six rows.
    EXPECT_EQ(pieces.column_tiles.back().height, 6);
    EXPECT_EQ(pieces.column_face, (Placement{665, 176, 209, tall.stopwatch().y - 176}));
    EXPECT_EQ(tall.stopwatch().y, 1000 - 90 - 409);
    EXPECT_EQ(pieces.left_edge.height, 1000 - 155);
}

TEST(MainLayoutTest, NoTilesWhereThereIsNoRoomOrNoTile)
{
    const MainLayout layout(start_width, start_height, data_type_event);
    // The bottom piece reaches above the top piece's end.
    EXPECT_TRUE(layout.background(30, 10, 100).column_tiles.empty());
    // An empty tile image would never fill anything.
    EXPECT_TRUE(layout.background(2, 0, 40).column_tiles.empty());
}

TEST(MainLayoutTest, StartWindowIsCentredAndSizedByTheSystemVersion)
{
    // Version 6 is 8 wider and 4 higher, and still centred as an 882-wide window would be less 4.
    EXPECT_EQ(MainLayout::start_window(6, 1280, 994), (Placement{195, 134, 890, 725}));
    EXPECT_EQ(MainLayout::start_window(5, 1280, 994), (Placement{199, 136, 882, 721}));
    EXPECT_EQ(MainLayout::start_window(10, 1280, 994), (Placement{199, 136, 882, 721}));
    // A screen lower than the window puts its top at 0, never above it.
    EXPECT_EQ(MainLayout::start_window(6, 1024, 600).y, 0);
    EXPECT_EQ(MainLayout::start_window(6, 1024, 600).x, 67);
}

} // namespace

#pragma once
// The shock threshold's two faces in the settings dialog: the simple tab's eleven levels (a
// slider with two positions a level, the odd ones standing between two levels) and the
// detailed tab's exact slider (position 0 is 0.60 G, position 20 is 0.40 G).
#include <string>

namespace threshold_levels {

constexpr int level_count = 11;
// The levels in hundredths of G, from the least sensitive ("低") to the most ("高").
constexpr int level_hundredths[level_count] = {60, 57, 54, 51, 48, 45, 44, 43, 42, 41, 40};
constexpr int last_position = 2 * (level_count - 1);
// The presets of the settings dialog.
constexpr int standard_hundredths = 45;
constexpr int sensitive_hundredths = 40;

// The simple slider's position for a threshold: twice the index of its level, or the odd
// position just before the first level below it; clamped to 0 .. 20 (above 0.60 G gives 0,
// below 0.40 G the most sensitive end).
int level_position(int hundredths);
// The level label of a position: "7" for 12, "5*" for 9 (between the fifth and sixth level).
std::wstring level_label(int position);
// A position the user moved to: an odd one goes one further toward "高".
int snapped_position(int position);
// The threshold of an even position's level (the index clamped to the table).
int level_threshold(int position);
bool is_level(int hundredths);

// The exact slider: threshold = 60 - position.
int exact_position(int hundredths);
int exact_threshold(int position);

} // namespace threshold_levels

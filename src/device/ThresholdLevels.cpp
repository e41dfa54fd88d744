#include "device/ThresholdLevels.h"

#include <algorithm>
#include <cstdio>

namespace threshold_levels {

int level_position(int hundredths)
{
    for (int i = 0; i < level_count; ++i) {
        if (level_hundredths[i] == hundredths) {
            return 2 * i;
        }
        if (level_hundredths[i] < hundredths) {
            return std::clamp(2 * i - 1, 0, last_position);
        }
    }
    return last_position;
}

std::wstring level_label(int position)
{
    wchar_t text[16];
    std::swprintf(text, 16, position % 2 == 0 ? L"%d" : L"%d*", position / 2 + 1);
    return text;
}

int snapped_position(int position) { return std::clamp(position % 2 == 0 ? position : position + 1, 0, last_position); }

int level_threshold(int position) { return level_hundredths[std::clamp(position / 2, 0, level_count - 1)]; }

bool is_level(int hundredths)
{
    return std::find(std::begin(level_hundredths), std::end(level_hundredths), hundredths) != std::end(level_hundredths);
}

int exact_position(int hundredths) { return std::clamp(60 - hundredths, 0, 20); }

int exact_threshold(int position) { return 60 - position; }

} // namespace threshold_levels

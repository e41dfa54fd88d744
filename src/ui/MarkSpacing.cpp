#include "ui/MarkSpacing.h"

#include <algorithm>

std::vector<int> MarkSpacing::spread(std::vector<int> lefts, int markWidth, int barWidth)
{
    for (size_t i = 1; i < lefts.size(); ++i) {
        lefts[i] = std::max(lefts[i], lefts[i - 1] + markWidth);
    }
    int limit = barWidth - markWidth;
    for (size_t i = lefts.size(); i-- > 0;) {
        lefts[i] = std::min(lefts[i], limit);
        limit = lefts[i] - markWidth;
    }
    return lefts;
}

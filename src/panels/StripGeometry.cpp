#include "panels/StripGeometry.h"

namespace strip {

int item_width(int view_width, int item_count)
{
    return item_count > 0 ? view_width / item_count : 0;
}

int item_left(int index, int item_width) { return index * (item_width + item_gap); }

std::optional<int> snap_distance(int position, int item_width, int item_count)
{
    for (int index = 0; index < item_count; ++index) {
        const int left = index * item_width;
        if (left >= position) {
            return left - position - rest_margin;
        }
    }
    return std::nullopt;
}

} // namespace strip

namespace strip {

ButtonStates button_states(bool finished, int selected, int total)
{
    ButtonStates states;
    if (finished) {
        states.first = states.previous = selected > 0;
        states.next = states.last = selected < total - 1;
    }
    return states;
}

} // namespace strip

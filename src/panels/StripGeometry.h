#pragma once
// The arithmetic of the thumbnail strip: one row of equally wide items that always comes to
// rest with an item at its left edge.
#include <optional>

namespace strip {

inline constexpr int thumbnail_width = 71;
inline constexpr int thumbnail_height = 53;
inline constexpr int item_gap = 2;    // between two neighbouring items of the row
inline constexpr int rest_margin = 3; // the resting item stands this far right of the edge

// The width the list gives each item: the width of its view rectangle shared out among the
// items; 0 without items.
int item_width(int view_width, int item_count);
// Where item `index` of the row stands, given the width of one item.
int item_left(int index, int item_width);
// How far to scroll from `position` so that the first item at or right of it rests at the left
// edge; nothing without items or when no item starts at or after `position`.
std::optional<int> snap_distance(int position, int item_width, int item_count);

} // namespace strip

namespace strip {

// Which of the strip's four buttons (first, previous, next, last) can be pressed.
struct ButtonStates {
    bool first = false;
    bool previous = false;
    bool next = false;
    bool last = false;
};

// All four stay disabled until every thumbnail has been added; then the way back is open from
// any but the first picture and the way on from any but the last.
ButtonStates button_states(bool finished, int selected, int total);

} // namespace strip

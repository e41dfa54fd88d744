#pragma once
// A 5 × 7 pixel font for the recorder's on-picture stamp: digits, the date and time
// separators and the few letters of "KM/H" and "G".
#include <cstdint>
#include <string>

namespace samplecard {

class BitmapFont {
public:
    static constexpr int glyph_width = 5;
    static constexpr int glyph_height = 7;
    static constexpr int advance = 6; // glyph width plus one column of space

    // Row bits of `ch` (bit 4 is the leftmost column); a blank for characters it lacks.
    static const uint8_t* glyph(char ch);

    // Draws `text` into a 24-bit RGB picture of `width` × `height` (top row first) with its top
    // left corner at (x, y), each font pixel a `scale` × `scale` square, clipped at the edges.
    // A one-pixel dark shadow keeps it readable on sky and road alike.
    static void draw(uint8_t* rgb, int width, int height, int x, int y, int scale, const std::string& text,
                     const uint8_t colour[3]);
};

} // namespace samplecard

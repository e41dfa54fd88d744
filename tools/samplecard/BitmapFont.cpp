#include "samplecard/BitmapFont.h"

#include <algorithm>

namespace samplecard {

namespace {

struct Glyph {
    char ch;
    uint8_t rows[BitmapFont::glyph_height];
};

constexpr Glyph glyphs[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'/', {0x01, 0x01, 0x02, 0x04, 0x08, 0x10, 0x10}}, {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}}, {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'+', {0x00, 0x04, 0x04, 0x1F, 0x04, 0x04, 0x00}}, {'#', {0x0A, 0x0A, 0x1F, 0x0A, 0x1F, 0x0A, 0x0A}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}}, {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}},
};

constexpr uint8_t blank[BitmapFont::glyph_height] = {};

void fill_square(uint8_t* rgb, int width, int height, int x, int y, int size, const uint8_t colour[3])
{
    const int x0 = std::max(x, 0);
    const int x1 = std::min(x + size, width);
    for (int row = std::max(y, 0); row < std::min(y + size, height); ++row) {
        for (int col = x0; col < x1; ++col) {
            uint8_t* pixel = rgb + (static_cast<size_t>(row) * width + col) * 3;
            std::copy(colour, colour + 3, pixel);
        }
    }
}

} // namespace

const uint8_t* BitmapFont::glyph(char ch)
{
    for (const Glyph& g : glyphs) {
        if (g.ch == ch) {
            return g.rows;
        }
    }
    return blank;
}

void BitmapFont::draw(uint8_t* rgb, int width, int height, int x, int y, int scale, const std::string& text,
                      const uint8_t colour[3])
{
    static constexpr uint8_t shadow[3] = {16, 16, 16};
    for (const auto* pass_colour : {shadow, colour}) {
        const int offset = pass_colour == shadow ? std::max(1, scale / 2) : 0;
        for (size_t i = 0; i < text.size(); ++i) {
            const uint8_t* rows = glyph(text[i]);
            const int left = x + static_cast<int>(i) * advance * scale + offset;
            for (int r = 0; r < glyph_height; ++r) {
                for (int c = 0; c < glyph_width; ++c) {
                    if (rows[r] & (0x10 >> c)) {
                        fill_square(rgb, width, height, left + c * scale, y + r * scale + offset, scale, pass_colour);
                    }
                }
            }
        }
    }
}

} // namespace samplecard

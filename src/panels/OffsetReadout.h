#pragma once
// The console's readout of the time between the shown frame and the detection instant, in tenths
// of a second at 30 frames per second, and the glyph picture of each of its characters.
#include <string>

class OffsetReadout {
public:
    static constexpr int framesPerSecond = 30;

    // "±00.0" without a detection (no information, a kind code other than 1 or 2, or no
    // detection frame) and when less than a tenth lies between; else "+%02d.%d" after the
    // detection frame and "-%02d.%d" before it, three digits from 100 s on.
    static std::wstring text(bool hasInfo, int kindCode, int detectionIndex, int frame);
    // The "IMAGE" resource that draws `character`; 0 for a character without a glyph.
    static int glyphImage(wchar_t character);
};

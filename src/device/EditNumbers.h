#pragma once
// What the dialogs' number edits accept when they lose the focus: the number typed, clamped to
// the control's range, or nothing (empty text, or anything but white space after the number),
// in which case the edit shows its last good value again.
#include <optional>
#include <string>

// Hundredths of G typed as a decimal ("0.45"): floor(x * 100 + 0.009) after clamping x to
// min / 100 .. max / 100, so that 0.45, which a double holds as 0.4499..., stays 45.
std::optional<int> parse_hundredths(const std::wstring& text, int min, int max);
// A whole number in base 10, clamped to min .. max ("25" for hours gives 23).
std::optional<int> parse_whole(const std::wstring& text, int min, int max);
// "%d.%02d": 45 shows as "0.45".
std::wstring hundredths_text(int hundredths);

#include "panels/OffsetReadout.h"

#include <cwchar>

namespace {

constexpr wchar_t zero[] = L"\u00b100.0";
constexpr int digitZeroImage = 237; // "0" ... "9" follow in order
constexpr int pointImage = 247;
constexpr int minusImage = 248;
constexpr int plusImage = 249;
constexpr int plusMinusImage = 236;

} // namespace

std::wstring OffsetReadout::text(bool hasInfo, int kindCode, int detectionIndex, int frame)
{
    // A recording that names a kind but carries no detection frame has no instant to measure from.
    if (!hasInfo || (kindCode != 1 && kindCode != 2) || detectionIndex < 0) {
        return zero;
    }
    const long long tenths = (static_cast<long long>(frame) - detectionIndex) * 10 / framesPerSecond;
    if (tenths == 0) {
        return zero;
    }
    const long long size = tenths < 0 ? -tenths : tenths;
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"%lc%02lld.%lld", tenths > 0 ? L'+' : L'-', size / 10, size % 10);
    return buffer;
}

int OffsetReadout::glyphImage(wchar_t character)
{
    if (character >= L'0' && character <= L'9') {
        return digitZeroImage + (character - L'0');
    }
    switch (character) {
    case L'.':
        return pointImage;
    case L'-':
        return minusImage;
    case L'+':
        return plusImage;
    case L'\u00b1':
        return plusMinusImage;
    default:
        return 0;
    }
}

#include "device/VersionText.h"

std::wstring versionTextFrom(const std::wstring& fileVersion)
{
    std::wstring text;
    int commas = 0;
    for (const wchar_t c : fileVersion) {
        if (c >= L'0' && c <= L'9') {
            text += c;
        } else if (c == L',') {
            if (++commas == 3) {
                break; // the build number is not shown
            }
            text += L'.';
        }
    }
    return text;
}

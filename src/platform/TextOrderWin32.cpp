#include "platform/TextOrder.h"

#include <windows.h>

int compare_text(const std::wstring& a, const std::wstring& b)
{
    return lstrcmpW(a.c_str(), b.c_str());
}

int compare_text_without_case(const std::wstring& a, const std::wstring& b)
{
    return lstrcmpiW(a.c_str(), b.c_str());
}

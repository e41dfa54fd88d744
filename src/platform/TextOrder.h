#pragma once
// The system's ordering of texts, by which chapter files and recording folders are sorted.
// Windows uses the user's locale (lstrcmpW, lstrcmpiW); the host build has a stand-in that
// orders the card's names the same way (see TextOrderHost.cpp).
#include <string>

// Negative, zero or positive as `a` sorts before, with or after `b`; case only decides between
// texts that are otherwise equal.
int compare_text(const std::wstring& a, const std::wstring& b);
// The same order with case ignored altogether: texts differing only in case are equal.
int compare_text_without_case(const std::wstring& a, const std::wstring& b);

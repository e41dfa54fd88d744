#pragma once
#include "base/Exception.h"

// A WindowException whose message is the system's text for Windows error `code`, or
// "Windows error, code: n" from the string table when the system has no text for it.
// Callers pass GetLastError() taken right after the failing call and throw the result.
WindowException format_error(unsigned long code);

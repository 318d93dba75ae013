// Byte strings in the ANSI code page, as the framework's string class was used.
#pragma once

#include <string>

using CString = std::string;

// printf-style formatting into a new string.
CString AfxFormat(const char* pszFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The program's strings: UTF-8 bytes, texts and paths alike (UTF-16 only at Windows).
#pragma once

#include <string>

using CString = std::string;

// printf-style formatting into a new string.
CString AfxFormat(const char* pszFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

#include "framework/portable/String.h"

#include <cstdarg>
#include <cstdio>

CString AfxFormat(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    va_list copy;
    va_copy(copy, args);
    int nLength = std::vsnprintf(nullptr, 0, pszFormat, copy);
    va_end(copy);
    CString strResult;
    if (nLength > 0) {
        strResult.resize(static_cast<std::size_t>(nLength) + 1);
        std::vsnprintf(&strResult[0], strResult.size(), pszFormat, args);
        strResult.resize(static_cast<std::size_t>(nLength));
    }
    va_end(args);
    return strResult;
}

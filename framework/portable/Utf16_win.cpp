#include "framework/portable/Utf16.h"

#include <windows.h>

std::wstring Widen(const std::string& utf8)
{
    if (utf8.empty())
        return std::wstring();
    const int nChars = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(nChars > 0 ? nChars : 0), L'\0');
    if (nChars > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], nChars);
    return wide;
}

std::string Narrow(const wchar_t* pText, std::size_t nLength)
{
    if (nLength == 0)
        return std::string();
    const int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, pText, static_cast<int>(nLength), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(nBytes > 0 ? nBytes : 0), '\0');
    if (nBytes > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, pText, static_cast<int>(nLength), &utf8[0], nBytes, nullptr, nullptr);
    return utf8;
}

std::string Narrow(const std::wstring& text)
{
    return Narrow(text.data(), text.size());
}

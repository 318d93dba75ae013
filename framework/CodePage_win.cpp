#include "framework/CodePage.h"

#include <windows.h>

bool IsLeadByte(unsigned char c)
{
    return ::IsDBCSLeadByte(c) != FALSE;
}

namespace {

std::wstring Widen(const std::string& text, UINT nCodePage)
{
    if (text.empty())
        return std::wstring();
    const int nChars = ::MultiByteToWideChar(nCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(nChars > 0 ? nChars : 0), L'\0');
    if (nChars > 0)
        ::MultiByteToWideChar(nCodePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], nChars);
    return wide;
}

} // namespace

std::string FileNameToUtf8(const std::string& name)
{
    const std::wstring wide = Widen(name, CP_ACP);
    if (wide.empty())
        return std::string();
    const int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                             nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(nBytes > 0 ? nBytes : 0), '\0');
    if (nBytes > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], nBytes, nullptr, nullptr);
    return utf8;
}

bool Utf8ToFileName(const std::string& utf8, std::string& name)
{
    const std::wstring wide = Widen(utf8, CP_UTF8);
    name.clear();
    if (wide.empty())
        return utf8.empty();
    BOOL bDefaultUsed = FALSE;
    const int nBytes = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                             nullptr, 0, nullptr, &bDefaultUsed);
    if (nBytes <= 0 || bDefaultUsed)
        return false;
    name.resize(static_cast<std::size_t>(nBytes));
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), &name[0], nBytes,
                          nullptr, nullptr);
    return true;
}

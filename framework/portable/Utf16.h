// The program keeps every string, texts and paths alike, in UTF-8; Windows takes
// them as UTF-16. These convert at that boundary, so no character is lost and no
// text depends on the system's ANSI code page. Windows only.
#pragma once

#ifdef _WIN32
#include <string>

std::wstring Widen(const std::string& utf8);
std::string Narrow(const wchar_t* pText, std::size_t nLength);
std::string Narrow(const std::wstring& text);
#endif

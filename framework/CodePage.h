// The system's ANSI code page, as far as names need it: a double-byte character's
// trail byte can be '\' (0x5C), so separators are found character by character.
#pragma once

#include <string>

// True when c starts a double-byte character of the ANSI code page.
bool IsLeadByte(unsigned char c);

// A file name as UTF-8, for text that must carry any name; and back. Off Windows
// names are bytes already and pass unchanged. Utf8ToFileName is false when a
// character has no form in the system's code page.
std::string FileNameToUtf8(const std::string& name);
bool Utf8ToFileName(const std::string& utf8, std::string& name);

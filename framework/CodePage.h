// The system's ANSI code page, as far as names need it: a double-byte character's
// trail byte can be '\' (0x5C), so separators are found character by character.
#pragma once

// True when c starts a double-byte character of the ANSI code page.
bool IsLeadByte(unsigned char c);

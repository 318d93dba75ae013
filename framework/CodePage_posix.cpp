// Off Windows the program's names are taken to be code page 936, the code page of
// its texts.
#include "framework/CodePage.h"

bool IsLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

std::string FileNameToUtf8(const std::string& name)
{
    return name;
}

bool Utf8ToFileName(const std::string& utf8, std::string& name)
{
    name = utf8;
    return true;
}

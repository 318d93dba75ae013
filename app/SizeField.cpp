#include "app/SizeField.h"

namespace {

// Full-width ASCII forms (U+FF01..U+FF5E) and the ideographic space become ASCII.
CString ToHalfWidth(const CString& strText)
{
    CString strOut;
    for (std::size_t i = 0; i < strText.size(); ++i) {
        const unsigned char c0 = static_cast<unsigned char>(strText[i]);
        const unsigned char c1 = i + 1 < strText.size() ? static_cast<unsigned char>(strText[i + 1]) : 0;
        const unsigned char c2 = i + 2 < strText.size() ? static_cast<unsigned char>(strText[i + 2]) : 0;
        if ((c0 & 0xF0) == 0xE0 && (c1 & 0xC0) == 0x80 && (c2 & 0xC0) == 0x80) {
            const unsigned nCode = ((c0 & 0x0Fu) << 12) | ((c1 & 0x3Fu) << 6) | (c2 & 0x3Fu);
            if (nCode >= 0xFF01 && nCode <= 0xFF5E) {
                strOut += static_cast<char>(nCode - 0xFEE0);
                i += 2;
                continue;
            }
            if (nCode == 0x3000) {
                strOut += ' ';
                i += 2;
                continue;
            }
        }
        strOut += strText[i];
    }
    return strOut;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

CSizeFieldValue ReadSizeField(const CString& strText)
{
    const CString s = ToHalfWidth(strText);
    std::size_t nEnd = s.find_last_not_of(" \t");
    if (nEnd == CString::npos)
        return {SizeFieldFault::Empty, 0};
    ++nEnd;
    std::size_t i = s.find_first_not_of(" \t");
    // A negative number is a whole number, only out of range.
    const bool bNegative = s[i] == '-' && i + 1 < nEnd && IsDigit(s[i + 1]);
    if (bNegative)
        ++i;
    if (!IsDigit(s[i]))
        return {SizeFieldFault::NotWholeNumber, 0};
    long nValue = 0;
    for (; i < nEnd && IsDigit(s[i]); ++i) {
        // Stops growing past the range, so no count of digits overflows it.
        if (nValue <= kMaxFieldSizeMB)
            nValue = nValue * 10 + (s[i] - '0');
    }
    while (i < nEnd && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    if (i + 1 < nEnd && (s[i] == 'M' || s[i] == 'm') && (s[i + 1] == 'B' || s[i + 1] == 'b'))
        i += 2;
    while (i < nEnd && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    // A label runs from its bracket to the end of the text.
    if (i < nEnd && s[i] == '(' && s[nEnd - 1] == ')')
        i = nEnd;
    if (i != nEnd)
        return {SizeFieldFault::NotWholeNumber, 0};
    if (bNegative || nValue < 1 || nValue > kMaxFieldSizeMB)
        return {SizeFieldFault::OutOfRange, 0};
    return {SizeFieldFault::None, static_cast<int>(nValue)};
}

std::vector<CString> SizeFieldChoices()
{
    // 4294 MB is the largest whole number of MB below FAT32's 2^32 - 1 bytes a file.
    const struct {
        int nSizeMB;
        const char* pszLabel;
    } choices[] = {
        {4294, "FAT32"}, {4000, nullptr}, {2000, nullptr}, {1000, nullptr},
        {700, "CD"},     {100, nullptr},  {25, "e-mail"},
    };
    std::vector<CString> texts;
    for (const auto& choice : choices) {
        texts.push_back(choice.pszLabel != nullptr ? AfxFormat("%d (%s)", choice.nSizeMB, choice.pszLabel)
                                                   : AfxFormat("%d", choice.nSizeMB));
    }
    return texts;
}

CString SizeFieldRefusal(SizeFieldFault fault)
{
    const char kAllowed[] = "请填写1到999999之间的整数，单位是MB(1MB=1000000字节)";
    switch (fault) {
    case SizeFieldFault::Empty:
        return CString("你还没有填写分割大小!\n") + kAllowed;
    case SizeFieldFault::NotWholeNumber:
        return CString("分割大小必须是整数!\n") + kAllowed;
    case SizeFieldFault::OutOfRange:
        return CString("分割大小超出范围!\n") + kAllowed;
    case SizeFieldFault::None:
        break;
    }
    return CString();
}

#include "engine/FileSystemLimit.h"

namespace {

bool IsFatName(const std::string& strName)
{
    std::string strUpper = strName;
    for (char& c : strUpper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    // exFAT is not among them: its limit lies far beyond any disk.
    return strUpper == "FAT" || strUpper == "FAT12" || strUpper == "FAT16" || strUpper == "FAT32";
}

} // namespace

bool FileTooLongFor(const std::string& strFileSystem, std::uint64_t nLength)
{
    const std::uint64_t nFatLimit = (std::uint64_t{1} << 32) - 1;
    return IsFatName(strFileSystem) && nLength > nFatLimit;
}

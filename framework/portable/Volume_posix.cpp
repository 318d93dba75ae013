#include "framework/portable/Volume.h"

#include "framework/portable/String.h"

#include <sys/statfs.h>
#include <sys/statvfs.h>

namespace {

std::string FolderOf(const std::string& strPath)
{
    const std::size_t nSlash = strPath.rfind('/');
    return nSlash == std::string::npos ? "." : strPath.substr(0, nSlash + 1);
}

} // namespace

bool GetFreeSpaceFor(const std::string& strPath, std::uint64_t& nBytes)
{
    struct statvfs st;
    if (::statvfs(FolderOf(strPath).c_str(), &st) != 0)
        return false;
    nBytes = static_cast<std::uint64_t>(st.f_bavail) * st.f_frsize;
    return true;
}

bool GetAllocationUnitFor(const std::string& strPath, std::uint64_t& nBytes)
{
    struct statvfs st;
    if (::statvfs(FolderOf(strPath).c_str(), &st) != 0 || st.f_frsize == 0)
        return false;
    nBytes = st.f_frsize;
    return true;
}

bool GetFileSystemFor(const std::string& strPath, std::string& strName)
{
    struct statfs st;
    if (::statfs(FolderOf(strPath).c_str(), &st) != 0)
        return false;
    // Linux tells FAT12, FAT16 and FAT32 apart by neither of its two drivers.
    const struct {
        unsigned long nType;
        const char* pszName;
    } names[] = {
        {0x4d44, "FAT"},       {0x2011BAB0, "exFAT"}, {0x5346544e, "NTFS"},  {0x7366746e, "NTFS"},
        {0xEF53, "ext4"},      {0x01021994, "tmpfs"}, {0x58465342, "xfs"},   {0x9123683E, "btrfs"},
        {0x794c7630, "overlay"},
    };
    const unsigned long nType = static_cast<unsigned long>(st.f_type);
    for (const auto& name : names) {
        if (name.nType == nType) {
            strName = name.pszName;
            return true;
        }
    }
    strName = AfxFormat("0x%lx", nType);
    return true;
}

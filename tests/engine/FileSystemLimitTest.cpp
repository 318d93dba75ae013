// Which file lengths a volume refuses by its file system's name: FAT's 32-bit length
// in every spelling Windows and Linux give it, and nothing else refused.
#include "engine/FileSystemLimit.h"

#include <gtest/gtest.h>

TEST(FileSystemLimit, FatVolumesRefuse4GiBAndMore)
{
    const std::uint64_t k4GiB = std::uint64_t{1} << 32;
    const struct {
        const char* pszFileSystem;
        std::uint64_t nLength;
        bool bTooLong;
    } rows[] = {
        {"FAT32", k4GiB - 1, false},
        {"FAT32", k4GiB, true},
        {"FAT32", k4GiB * 1000, true},
        {"FAT", k4GiB, true},
        {"FAT12", k4GiB, true},
        {"FAT16", k4GiB + 1, true},
        {"fat32", k4GiB, true},
        {"FAT32", 0, false},
        {"exFAT", k4GiB * 1000, false},
        {"NTFS", k4GiB * 1000, false},
        {"ext4", k4GiB, false},
        {"", k4GiB, false},
        // Only whole names: these are not FAT.
        {"FAT3", k4GiB, false},
        {"FAT32 ", k4GiB, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FileTooLongFor(row.pszFileSystem, row.nLength), row.bTooLong)
            << row.pszFileSystem << ", " << row.nLength;
}

// What the volume under a file offers: room for bytes, the unit it allocates them in,
// and the name of its file system. Both ask about the folder that strPath's file is in (the file need not exist
// yet); a path without a folder part asks about the current folder. One backend per
// platform (Volume_win.cpp, Volume_posix.cpp).
#pragma once

#include <cstdint>
#include <string>

// Bytes that this process may still write there (quotas counted). False when the
// folder cannot be asked.
bool GetFreeSpaceFor(const std::string& strPath, std::uint64_t& nBytes);

// Bytes of the smallest unit a file there takes (a cluster, a block): every file
// takes a whole number of them. False when the folder cannot be asked.
bool GetAllocationUnitFor(const std::string& strPath, std::uint64_t& nBytes);

// The file system's name as Windows reports it ("NTFS", "FAT32", "exFAT", ...); natively
// "FAT" for any FAT volume. False when the volume cannot be asked.
bool GetFileSystemFor(const std::string& strPath, std::string& strName);

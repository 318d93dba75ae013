// Names in folders: listing, removing and renaming files, and comparing file names
// as the file system does. One backend per platform (FileSystem_win.cpp,
// FileSystem_posix.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What makes a file itself, whatever names (hard or symbolic links) lead to it:
// device and inode, or volume serial number and file index.
struct CFileIdentity {
    std::uint64_t nVolume = 0;
    std::uint64_t nFile = 0;
    bool operator==(const CFileIdentity& o) const { return nVolume == o.nVolume && nFile == o.nFile; }
};

// False when strPath leads to no file, links followed.
bool GetFileIdentity(const std::string& strPath, CFileIdentity& identity);

// The names (no folder part) of the entries of strDir; empty when it cannot be read.
std::vector<std::string> ListFolder(const std::string& strDir);

// True when something (a file, a folder, a link) has this name.
bool PathExists(const std::string& strPath);

// False when the file could not be removed.
bool RemoveFile(const std::string& strPath);

// Moves strFrom onto strTo, replacing a file of that name. False when it failed,
// with the system's cause (GetLastError, errno) in nError.
bool RenameFile(const std::string& strFrom, const std::string& strTo, long& nError);

// True when the file system takes the two file names for the same one.
bool SameFileName(const std::string& strA, const std::string& strB);

// True when strPath leads to a folder, links followed.
bool IsFolder(const std::string& strPath);

// True when strPath leads to a regular file, links followed: not a folder, a device
// or a pipe, which can block whoever opens it to read.
bool IsRegularFile(const std::string& strPath);

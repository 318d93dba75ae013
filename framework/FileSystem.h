// Names in folders: listing, removing and renaming files, and comparing file names
// as the file system does. One backend per platform (FileSystem_win.cpp,
// FileSystem_posix.cpp).
#pragma once

#include <string>
#include <vector>

// The names (no folder part) of the entries of strDir; empty when it cannot be read.
std::vector<std::string> ListFolder(const std::string& strDir);

// True when something (a file, a folder, a link) has this name.
bool PathExists(const std::string& strPath);

// False when the file could not be removed.
bool RemoveFile(const std::string& strPath);

// Moves strFrom onto strTo, replacing a file of that name. False when it failed.
bool RenameFile(const std::string& strFrom, const std::string& strTo);

// True when the file system takes the two file names for the same one.
bool SameFileName(const std::string& strA, const std::string& strB);

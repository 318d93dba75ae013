// Folders named by the user: whether a path is whole (not relative to a current
// folder or drive), and names made inside it. One backend per
// platform (Folder_win.cpp, Folder_posix.cpp).
#pragma once

#include <string>

// True for a path that names the same place whatever the current folder and drive:
// "/..." natively; "X:\..." or "\\server\share..." on Windows (either slash).
bool IsAbsolutePath(const std::string& strPath);

// strName inside strFolder, with one separator between them.
std::string JoinPath(const std::string& strFolder, const std::string& strName);

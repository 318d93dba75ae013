// The largest file a volume's file system holds, where it is smaller than any file
// Tosvik makes: FAT keeps a file's length in 32 bits.
#pragma once

#include <cstdint>
#include <string>

// True when a file of nLength bytes cannot be written on a volume whose file system
// has this name (as GetFileSystemFor gives it).
bool FileTooLongFor(const std::string& strFileSystem, std::uint64_t nLength);

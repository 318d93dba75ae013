// A file written under a temporary name in its folder and given its real name only
// when it is whole, so that a failed or cancelled job never leaves a truncated file,
// and an earlier file of that name stays intact until the new one is complete.
#pragma once

#include "framework/portable/File.h"

#include <string>

class CPartialFile {
public:
    CPartialFile() = default;
    ~CPartialFile() { Discard(); }
    CPartialFile(const CPartialFile&) = delete;
    CPartialFile& operator=(const CPartialFile&) = delete;

    // Creates a free name "~tosvikNNN.tmp" beside strFinalName: never a piece name
    // (no '_' four bytes before its dot), never a name a merge writes. Errors of the
    // file name strFinalName, the one the user knows. False when none could be made.
    bool Create(const std::string& strFinalName);
    CFile& File() { return m_file; }
    // Closes the file and gives it its final name; false when it could not.
    bool Commit();
    // Closes and removes the file, unless it was committed.
    void Discard();
    // The system's cause of the last Create or Commit that failed.
    long GetError() const { return m_nError; }

private:
    CFile m_file;
    std::string m_strTempName;
    std::string m_strFinalName;
    long m_nError = 0;
};

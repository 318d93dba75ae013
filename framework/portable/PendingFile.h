// A new file that takes its name only when it is whole. Until then it has no name on
// disk (natively: O_TMPFILE) or a temporary one that the system removes however the
// process ends (Windows: the delete disposition), and a file that already has the
// final name stays as it was. So a job that stops in any way, killed included,
// leaves nothing half written. One backend per platform.
#pragma once

#include "framework/portable/File.h"

#include <cstddef>
#include <string>

class CPendingFile {
public:
    CPendingFile() = default;
    ~CPendingFile() { Discard(); }
    CPendingFile(const CPendingFile&) = delete;
    CPendingFile& operator=(const CPendingFile&) = delete;

    // Creates the file, for writing, in the folder of strFinalName; errors of File()
    // name strFinalName, the name the user knows. False when it cannot be created,
    // with the system's cause in GetError().
    bool Create(const std::string& strFinalName);
    CFile& File() { return m_file; }
    const std::string& GetFinalName() const { return m_strFinalName; }
    // Closes the file and gives it its final name, replacing a file of that name.
    // False when it could not, with the cause in GetError(); the final name is then
    // as it was, and Discard (or the destructor) removes what is left of the file.
    bool Commit();
    // Closes and removes the file, unless it was committed.
    void Discard();
    // The system's cause (GetLastError, errno) of the last Create or Commit that failed.
    long GetError() const { return m_nError; }

private:
    // How often a name that someone else took is tried again with the next one.
    static constexpr int kNameAttempts = 100;

    // "~tosvik<8 hex digits>.tmp" in strFolder, a different one on every call: never
    // a piece name (no '_' before its dot), unlikely to be taken.
    static std::string MakeTemporaryName(const std::string& strFolder);
    // The folder part of strPath, its separator included; empty for a bare name.
    static std::string FolderOf(const std::string& strPath);
    // Takes the just-created file into m_file (its errors naming strFinalName) and
    // marks it pending; the backend has put the system's handle in m_file.
    bool Pend(const std::string& strFinalName, const std::string& strTempName);
    // Closes m_file where a failure to close loses nothing: its bytes are either
    // thrown away or already under the final name.
    void CloseQuietly();
    // Backend: removes the file under m_strTempName, which is not empty.
    void RemoveTemporaryName();

    CFile m_file;
    std::string m_strFinalName;
    // Natively: set once the file has a name on disk (the fallback where O_TMPFILE
    // is refused, or during Commit). Windows: always, the name that is to vanish.
    std::string m_strTempName;
    bool m_bPending = false;
    long m_nError = 0;
};

// Natively every pending file holds a descriptor until its job commits, and a split
// holds up to 999 of them: raises this process's soft limit of open files so that
// nFiles more can be opened, as far as the hard limit allows. False when they cannot.
// Windows has no such limit.
bool ReserveOpenFiles(std::size_t nFiles);

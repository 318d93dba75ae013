// A new file that takes its name only when it is whole. Until then it has no name on
// disk (natively: O_TMPFILE) or a temporary one that the system removes however the
// process ends (Windows: the delete disposition), and a file that already has the
// final name stays as it was. So a job that stops in any way, killed included,
// leaves nothing half written. One backend per platform.
#pragma once

#include "framework/portable/File.h"

#include <cstddef>
#include <cstdint>
#include <string>

class CPendingFile {
    friend class CAsideFile;
    friend void RemoveAbandonedTemporaryFiles(const std::string& strPath);

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
    // True for a name MakeTemporaryName makes (no folder part).
    static bool IsTemporaryName(const std::string& strName);
    // Backend: removes the file strPath unless a live process holds it.
    static void RemoveIfUnheld(const std::string& strPath);
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

// An earlier file moved out of the way of a new one, under a temporary name, so that
// a pass that fails can put it back and one that succeeds removes it. It stays held
// (exclusively on Windows, by a lock natively) while it is aside. Should the process
// die first, the system removes it (Windows: the delete disposition, set as it moves)
// or the next job in its folder does (natively: RemoveAbandonedTemporaryFiles).
class CAsideFile {
public:
    CAsideFile() = default;
    // Still aside, it is put back: only a finished pass removes what it replaced.
    ~CAsideFile();
    CAsideFile(const CAsideFile&) = delete;
    CAsideFile& operator=(const CAsideFile&) = delete;

    // Moves the file named strName aside. False when it cannot (held by someone,
    // refused), with the system's cause in GetError(); the name is then as it was.
    bool MoveAside(const std::string& strName);
    // Gives it its name again, replacing what has the name now. False when it
    // cannot; it then stays under its temporary name, no longer to be removed.
    bool PutBack();
    // Removes it for good.
    void Remove();
    const std::string& GetName() const { return m_strName; }
    long GetError() const { return m_nError; }

private:
    // Backend: the file under m_strTempName takes m_strName; false, with the cause
    // in m_nError, when it cannot.
    bool TakeNameBack();
    // Backend: removes the file under m_strTempName.
    void RemoveTemporaryName();
    // Backend: closes what the file is held by.
    void Release();

    std::string m_strName;
    std::string m_strTempName;
    // The descriptor or handle that holds it, -1 when none.
    std::intptr_t m_nHandle = -1;
    long m_nError = 0;
};

// Removes the temporary files ("~tosvik*.tmp") in the folder of strPath that no live
// process holds: what a killed job left. A job calls it before it writes there.
void RemoveAbandonedTemporaryFiles(const std::string& strPath);

// Natively every pending file holds a descriptor until its job commits, and a split
// holds up to 999 of them: raises this process's soft limit of open files so that
// nFiles more can be opened, as far as the hard limit allows. False when they cannot.
// Windows has no such limit.
bool ReserveOpenFiles(std::size_t nFiles);

// Files as the engine uses them: exclusive opening, 64-bit lengths and offsets.
// Opening reports failure by its result; reading, writing and seeking throw
// CFileException. One backend per platform (File_win.cpp, File_posix.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

class CFileException : public std::runtime_error {
public:
    // nOsError is GetLastError() on Windows, errno elsewhere.
    CFileException(std::string strFileName, std::string strOperation, long nOsError);

    const std::string& GetFileName() const { return m_strFileName; }
    const std::string& GetOperation() const { return m_strOperation; }
    long GetOsError() const { return m_nOsError; }
    // The system's text for the cause, in the system's language and code page.
    std::string GetCauseText() const;

private:
    std::string m_strFileName;
    std::string m_strOperation;
    long m_nOsError;
};

class CFile {
    // Hands a file it made itself over to a CFile.
    friend class CPendingFile;

public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeCreate = 0x1000,
        // With modeCreate: fail when the name is taken, instead of truncating it.
        modeCreateNew = 0x4000,
        // With modeRead: others may read the file too, but no one may write it.
        shareDenyWrite = 0x0020,
    };

    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // modeRead: an existing file, no sharing (shareDenyWrite: shared with readers). modeCreate | modeWrite: created or
    // truncated, no sharing; modeCreateNew added: only a name not yet taken. False
    // when the file cannot be opened; GetOpenError then tells why.
    bool Open(const std::string& strFileName, unsigned nOpenFlags);
    // The system's cause (GetLastError, errno) of the last Open that failed.
    long GetOpenError() const { return m_nOpenError; }
    bool IsOpen() const;
    std::uint64_t GetLength() const;
    void Seek(std::uint64_t nOffsetFromBegin);
    // Reads up to nCount bytes; fewer only at the end of the file.
    std::size_t Read(void* pBuffer, std::size_t nCount);
    void Write(const void* pBuffer, std::size_t nCount);
    void Close();
    // The name errors report, when it is not the name the file was opened under.
    void SetFilePath(const std::string& strFileName) { m_strFileName = strFileName; }

private:
    [[noreturn]] void ThrowLastError(const char* pszOperation) const;

    std::string m_strFileName;
    long m_nOpenError = 0;
#ifdef _WIN32
    void* m_hFile = reinterpret_cast<void*>(static_cast<std::intptr_t>(-1));
#else
    int m_fd = -1;
#endif
};

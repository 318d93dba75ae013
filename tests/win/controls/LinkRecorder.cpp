// Stands in for a program that opens links: writes the command line it was started
// with to the file named by TOSVIK_LINK_RECORD. The file appears whole or not at all,
// so a test that polls for it never reads half a line. A window program, so no console
// window comes up to take the focus from the test's dialog.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char szRecord[MAX_PATH];
    DWORD nLength = ::GetEnvironmentVariableA("TOSVIK_LINK_RECORD", szRecord, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
        return 2;

    std::string strPart = std::string(szRecord) + ".part";
    HANDLE hFile = ::CreateFileA(strPart.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return 3;
    const char* pszCommand = ::GetCommandLineA();
    DWORD cbWritten = 0;
    BOOL bWritten = ::WriteFile(hFile, pszCommand, lstrlenA(pszCommand), &cbWritten, nullptr);
    ::CloseHandle(hFile);
    if (!bWritten || !::MoveFileExA(strPart.c_str(), szRecord, MOVEFILE_REPLACE_EXISTING))
        return 4;
    return 0;
}

// Stands in for a program that opens links: writes the command line it was started
// with, in UTF-8, to the file named by TOSVIK_LINK_RECORD. Read as UTF-16, so the test
// sees which characters arrived, whatever the code page they travelled in. The file
// appears whole or not at all, so a test that polls for it never reads half a line. A
// window program, so no console window comes up to take the focus from the test's dialog.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    wchar_t szRecord[MAX_PATH];
    DWORD nLength = ::GetEnvironmentVariableW(L"TOSVIK_LINK_RECORD", szRecord, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
        return 2;

    const wchar_t* pszCommand = ::GetCommandLineW();
    int nCommand = lstrlenW(pszCommand);
    std::string strCommand(static_cast<std::size_t>(nCommand) * 4, '\0');
    int nBytes = ::WideCharToMultiByte(CP_UTF8, 0, pszCommand, nCommand, &strCommand[0],
                                       static_cast<int>(strCommand.size()), nullptr, nullptr);
    strCommand.resize(static_cast<std::size_t>(nBytes > 0 ? nBytes : 0));

    std::wstring part = std::wstring(szRecord) + L".part";
    HANDLE hFile = ::CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return 3;
    DWORD cbWritten = 0;
    BOOL bWritten = ::WriteFile(hFile, strCommand.data(), static_cast<DWORD>(strCommand.size()),
                                &cbWritten, nullptr);
    ::CloseHandle(hFile);
    if (!bWritten || !::MoveFileExW(part.c_str(), szRecord, MOVEFILE_REPLACE_EXISTING))
        return 4;
    return 0;
}

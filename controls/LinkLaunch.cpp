// Opening a link's target: the shell first, then the program registered for .htm
// files with the target appended to its command line. Both buffers are fixed; text
// that would not fit is never copied into them.
//
// The shell call and WinExec take eight-bit text in the system's code page. The target
// and the handler's command are converted into it on purpose, the registry being read
// as UTF-16 for that; a character the code page cannot carry stops the launch, where
// the system's own conversion would have passed on a "?".
#include "controls/HyperLink.h"

#include "framework/portable/Utf16.h"
#include "framework/win32/MessageBox.h"

#include <shellapi.h>

#include <mbstring.h>
#include <cstring>
#include <string>

namespace {

const int kCommandSize = 2 * MAX_PATH;
const DWORD kValueSize = MAX_PATH;

const char kCommandSuffix[] = "\\shell\\open\\command";

bool IsText(DWORD dwType)
{
    return dwType == REG_SZ || dwType == REG_EXPAND_SZ;
}

// text in the system's code page, or false when a character of it has no place there.
// A round trip catches both the default character and a best fit ("a" for "\u0101").
bool ToCodePage(const std::wstring& text, std::string& strOut)
{
    strOut.clear();
    if (text.empty())
        return true;
    int nText = static_cast<int>(text.size());
    int nBytes = ::WideCharToMultiByte(CP_ACP, 0, text.data(), nText, nullptr, 0, nullptr, nullptr);
    if (nBytes <= 0)
        return false;
    strOut.resize(static_cast<std::size_t>(nBytes));
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), nText, &strOut[0], nBytes, nullptr, nullptr);
    int nBack =
        ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, strOut.data(), nBytes, nullptr, 0);
    std::wstring back(static_cast<std::size_t>(nBack > 0 ? nBack : 0), L'\0');
    if (nBack > 0)
        ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, strOut.data(), nBytes, &back[0], nBack);
    if (back != text) {
        strOut.clear();
        return false;
    }
    return true;
}

}  // namespace

int CHyperLink::ShellOpen(LPCSTR pszTarget, int nShowCmd)
{
    std::string strTarget;
    if (!ToCodePage(Widen(pszTarget), strTarget))
        return HLE_NOT_IN_CODE_PAGE;

    HINSTANCE hResult =
        ::ShellExecuteA(nullptr, "open", strTarget.c_str(), nullptr, nullptr, nShowCmd);
    int nResult = static_cast<int>(reinterpret_cast<INT_PTR>(hResult));
    if (static_cast<unsigned>(nResult) > 32)
        return nResult;

    char szCommand[kCommandSize];
    // An unreadable class name would send the look-up to "\shell\open\command" at
    // the root, which is no class's command.
    LONG nError = ReadDefaultValue(HKEY_CLASSES_ROOT, ".htm", szCommand);
    if (nError == ERROR_NO_UNICODE_TRANSLATION)
        return HLE_NOT_IN_CODE_PAGE;
    if (nError != ERROR_SUCCESS || szCommand[0] == '\0')
        return nResult;
    // A class name read from the registry is below MAX_PATH, so the key path fits.
    ::lstrcatA(szCommand, kCommandSuffix);
    nError = ReadDefaultValue(HKEY_CLASSES_ROOT, szCommand, szCommand);
    if (nError == ERROR_NO_UNICODE_TRANSLATION)
        return HLE_NOT_IN_CODE_PAGE;
    if (nError != ERROR_SUCCESS)
        return nResult;

    // The placeholder and whatever follows it give way to the target.
    unsigned char* pszCommand = reinterpret_cast<unsigned char*>(szCommand);
    char* pszPlaceholder = reinterpret_cast<char*>(
        ::_mbsstr(pszCommand, reinterpret_cast<const unsigned char*>("\"%1\"")));
    if (pszPlaceholder == nullptr)
        pszPlaceholder = std::strstr(szCommand, "%1");
    if (pszPlaceholder != nullptr)
        *pszPlaceholder = '\0';

    // With no program named, the target itself would be run as one.
    if (szCommand[std::strspn(szCommand, " \t")] == '\0')
        return nResult;

    // A command line cut short would start the handler on the wrong target.
    if (std::strlen(szCommand) + 1 + strTarget.size() >= sizeof szCommand)
        return nResult;
    ::lstrcatA(szCommand, " ");
    ::lstrcatA(szCommand, strTarget.c_str());
    return static_cast<int>(::WinExec(szCommand, static_cast<UINT>(nShowCmd)));
}

LONG CHyperLink::ReadDefaultValue(HKEY hRoot, LPCSTR pszSubKey, LPSTR pszValue)
{
    HKEY hKey = nullptr;
    LONG nError = ::RegOpenKeyExA(hRoot, pszSubKey, 0, KEY_QUERY_VALUE, &hKey);
    if (nError != ERROR_SUCCESS)
        return nError;

    // The caller's buffer may be the sub-key itself; it is written only at the end.
    // No text that fits MAX_PATH bytes in the code page has more UTF-16 units.
    wchar_t szValue[kValueSize];
    DWORD dwType = REG_NONE;
    DWORD cbValue = sizeof szValue;
    LONG nRead = ::RegQueryValueExW(hKey, nullptr, nullptr, &dwType,
                                    reinterpret_cast<BYTE*>(szValue), &cbValue);
    ::RegCloseKey(hKey);

    // Stored text need not carry its terminator; a value that leaves no room for one
    // is as unreadable as a missing one.
    std::size_t nChars = cbValue / sizeof(wchar_t);
    bool bRead = nRead == ERROR_SUCCESS && IsText(dwType);
    if (bRead && (nChars == 0 || szValue[nChars - 1] != L'\0')) {
        if (nChars < kValueSize)
            szValue[nChars] = L'\0';
        else
            bRead = false;
    }
    std::string strValue;
    if (bRead && !ToCodePage(szValue, strValue)) {
        pszValue[0] = '\0';
        return ERROR_NO_UNICODE_TRANSLATION;
    }
    if (strValue.size() >= kValueSize)
        strValue.clear();
    ::lstrcpyA(pszValue, strValue.c_str());
    return ERROR_SUCCESS;
}

void CHyperLink::ShowOpenError(int nCode)
{
    CString strReason;
    switch (nCode) {
    case 0:
        strReason = "The operating system is out\nof memory or resources.";
        break;
    case ERROR_FILE_NOT_FOUND:
        strReason = "The specified file was not found.";
        break;
    case ERROR_PATH_NOT_FOUND:
        strReason = "The specified path was not found.";
        break;
    case SE_ERR_ACCESSDENIED:
        strReason = "The operating system denied\naccess to the specified file.";
        break;
    case SE_ERR_OOM:
        strReason = "There was not enough memory to complete the operation.";
        break;
    case ERROR_BAD_FORMAT:
        strReason = "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        break;
    case SE_ERR_SHARE:
        strReason = "A sharing violation occurred. ";
        break;
    case SE_ERR_ASSOCINCOMPLETE:
        strReason = "The filename association is\nincomplete or invalid.";
        break;
    case SE_ERR_DDETIMEOUT:
        strReason = "The DDE transaction could not\nbe completed because the request timed out.";
        break;
    case SE_ERR_DDEFAIL:
        strReason = "The DDE transaction failed.";
        break;
    case SE_ERR_DDEBUSY:
        strReason = "The DDE transaction could not\nbe completed because other DDE transactions\n"
                    "were being processed.";
        break;
    case SE_ERR_NOASSOC:
        strReason = "There is no application associated\nwith the given filename extension.";
        break;
    case SE_ERR_DLLNOTFOUND:
        strReason = "The specified dynamic-link library was not found.";
        break;
    case HLE_NOT_IN_CODE_PAGE:
        strReason = "The link or the program registered to open it\nholds characters "
                    "that this system's code page cannot carry.";
        break;
    default:
        strReason = AfxFormat("Unknown Error (%d) occurred.", nCode);
        break;
    }
    CString strMessage = "Can't open link:\n\n" + strReason;
    AfxMessageBox(strMessage.c_str(), MB_ICONEXCLAMATION);
}

#include "tests/win/dialogs/DialogTestUtil.h"

namespace dlgtest {

CString FullText(HWND hWnd)
{
    int nLength = ::GetWindowTextLengthA(hWnd);
    CString strText(static_cast<std::size_t>(nLength) + 1, '\0');
    int nCopied = ::GetWindowTextA(hWnd, &strText[0], nLength + 1);
    strText.resize(static_cast<std::size_t>(nCopied > 0 ? nCopied : 0));
    return strText;
}

bool WaitFor(const std::function<bool()>& cond, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!cond()) {
        if (::GetTickCount() - start >= timeoutMs)
            return cond();
        ::Sleep(20);
    }
    return true;
}

bool SplitCrLfLines(const CString& text, std::vector<CString>& lines)
{
    lines.clear();
    std::size_t nStart = 0;
    while (nStart < text.size()) {
        std::size_t nEnd = text.find("\r\n", nStart);
        if (nEnd == CString::npos)
            return false;
        CString strLine = text.substr(nStart, nEnd - nStart);
        if (strLine.find_first_of("\r\n") != CString::npos)
            return false;
        lines.push_back(strLine);
        nStart = nEnd + 2;
    }
    return true;
}

CString EditLine(HWND hEdit, int nLine)
{
    char szLine[512];
    // EM_GETLINE takes the buffer size in the first WORD of the buffer.
    *reinterpret_cast<WORD*>(szLine) = sizeof(szLine) - 1;
    LRESULT nCopied = ::SendMessageA(hEdit, EM_GETLINE, static_cast<WPARAM>(nLine),
                                     reinterpret_cast<LPARAM>(szLine));
    return CString(szLine, static_cast<std::size_t>(nCopied));
}

}  // namespace dlgtest

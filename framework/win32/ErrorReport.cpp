#include "framework/win32/ErrorReport.h"

#include "framework/win32/MessageBox.h"

CString AfxFileExceptionText(const CFileException& e)
{
    return AfxFormat("文件操作出错：%s\n原因：%s", e.GetFileName().c_str(), e.GetCauseText().c_str());
}

void AfxReportFileException(HWND hOwner, const CFileException& e)
{
    AfxShowMessageBox(hOwner, AfxFileExceptionText(e).c_str(), AfxGetAppTitle().c_str(),
                      MB_OK | MB_ICONSTOP);
}

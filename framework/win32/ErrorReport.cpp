#include "framework/win32/ErrorReport.h"

#include "framework/portable/String.h"
#include "framework/win32/MessageBox.h"

void AfxReportFileException(HWND hOwner, const CFileException& e)
{
    CString strText = AfxFormat("文件操作出错：%s\n原因：%s", e.GetFileName().c_str(),
                                e.GetCauseText().c_str());
    AfxShowMessageBox(hOwner, strText.c_str(), AfxGetAppTitle().c_str(), MB_OK | MB_ICONSTOP);
}

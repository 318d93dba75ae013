// The generic error report for a file error that escapes a handler, and the owner
// of the framework's standard box.
#include "framework/win32/ErrorReport.h"
#include "framework/win32/MessageBox.h"
#include "framework/win32/WinApp.h"
#include "tests/win/framework/TestDialog.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

namespace {

// Outside code page 936 too: the report must not depend on the system's code page.
const char kFileName[] = "D:\\数据\\한국어_😀_002.avi";

class CThrowingDialog : public CTestDialog {
public:
    bool bThrowInInit = false;

protected:
    BOOL OnInitDialog() override
    {
        BOOL bResult = CTestDialog::OnInitDialog();
        if (bThrowInInit)
            throw CFileException(kFileName, "Read", ERROR_HANDLE_EOF);
        return bResult;
    }
    void OnButtonA()
    {
        throw CFileException(kFileName, "Write", ERROR_DISK_FULL);
    }
    void OnButtonB() { EndDialog(42); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingDialog, CTestDialog)
    ON_BN_CLICKED(IDC_BUTTON_A, &CThrowingDialog::OnButtonA)
    ON_BN_CLICKED(IDC_BUTTON_B, &CThrowingDialog::OnButtonB)
END_MESSAGE_MAP()

void ExpectReport(const wintest::MessageBoxRecorder::Box& box, HWND hOwner, DWORD nError)
{
    CString strCause = CFileException(kFileName, "", static_cast<long>(nError)).GetCauseText();
    EXPECT_FALSE(strCause.empty());
    EXPECT_EQ(hOwner, box.hOwner);
    EXPECT_EQ(AfxGetAppTitle(), box.caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), box.type);
    EXPECT_EQ("文件操作出错：" + CString(kFileName) + "\n原因：" + strCause, box.text);
}

TEST(ErrorReport, AFileErrorInAHandlerOrOnInitDialogIsReportedAndTheDialogGoesOn)
{
    struct Row {
        bool bThrowInInit;  // else the click on button A throws
        DWORD nError;
    } rows[] = {{false, ERROR_DISK_FULL}, {true, ERROR_HANDLE_EOF}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bThrowInInit ? "OnInitDialog" : "handler");
        wintest::MessageBoxRecorder boxes;
        CThrowingDialog dlg;
        dlg.bThrowInInit = row.bThrowInInit;
        HWND hDialog = nullptr;
        dlg.script = [&](CTestDialog& d) {
            hDialog = d.m_hWnd;
            if (!row.bThrowInInit)
                wintest::Click(d, IDC_BUTTON_A);
            ::PostMessageW(d, WM_COMMAND, IDC_BUTTON_B, 0);
        };
        EXPECT_EQ(42, dlg.DoModal());
        ASSERT_EQ(1u, boxes.Boxes().size());
        ExpectReport(boxes.Boxes()[0], hDialog, row.nError);
    }
}

TEST(MessageBox, TheStandardBoxBelongsToTheMainWindowOrItsModalDialog)
{
    wintest::MessageBoxRecorder boxes;
    CWinApp app;
    CTestDialog mainDlg;
    app.m_pMainWnd = &mainDlg;
    HWND hMain = nullptr, hInner = nullptr;
    mainDlg.script = [&](CTestDialog& m) {
        hMain = m.m_hWnd;
        AfxMessageBox("main", MB_ICONINFORMATION);
        CTestDialog inner(IDD_SMALL);
        inner.script = [&](CTestDialog& d) {
            hInner = d.m_hWnd;
            AfxMessageBox("inner");
            d.EndDialog(IDOK);
        };
        inner.DoModal();
        m.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, mainDlg.DoModal());
    ASSERT_EQ(2u, boxes.Boxes().size());
    EXPECT_EQ(hMain, boxes.Boxes()[0].hOwner);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes.Boxes()[0].type);
    EXPECT_EQ(AfxGetAppTitle(), boxes.Boxes()[0].caption);
    EXPECT_EQ(hInner, boxes.Boxes()[1].hOwner);
}

}  // namespace

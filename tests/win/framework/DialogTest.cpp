// The modal loop: how dialogs end, their owners, and PreTranslateMessage before
// IsDialogMessage.
#include "framework/win32/Dialog.h"
#include "framework/win32/WinApp.h"
#include "tests/win/framework/TestDialog.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Dialog, ShowsItselfAndEndsWithTheEndDialogValue)
{
    CTestDialog dlg;
    bool bVisible = false;
    dlg.script = [&](CTestDialog& d) {
        bVisible = d.IsWindowVisible() != FALSE;
        d.EndDialog(1234);
    };
    EXPECT_EQ(1234, dlg.DoModal());
    EXPECT_TRUE(bVisible);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(Dialog, EscapeTheCloseBoxAndTheCancelButtonEndWithIdCancel)
{
    struct Row {
        const char* how;
        std::function<void(CTestDialog&)> script;
    } rows[] = {
        {"Esc in the edit",
         [](CTestDialog& d) { ::PostMessageW(::GetDlgItem(d, IDC_EDIT), WM_KEYDOWN, VK_ESCAPE, 1); }},
        {"close box", [](CTestDialog& d) { ::PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"cancel button",
         [](CTestDialog& d) { wintest::Click(d, IDCANCEL); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        CTestDialog dlg;
        dlg.script = row.script;
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
}

TEST(Dialog, OkSavesTheDataAndEnds)
{
    CTestDialog dlg;
    CString strValue = "before";
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_EDIT, strValue); };
    dlg.script = [&](CTestDialog& d) {
        d.SetDlgItemText(IDC_EDIT, "typed");
        wintest::Click(d, IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("typed", strValue);
}

TEST(Dialog, OkStaysOpenWhenTheDataIsRefused)
{
    wintest::MessageBoxRecorder boxes;
    CTestDialog dlg;
    CString strValue;
    dlg.ExchangeEditOfAtMost(strValue, 3);
    bool bOpenAfterOk = false;
    dlg.script = [&](CTestDialog& d) {
        d.SetDlgItemText(IDC_EDIT, "four");
        d.OnOK();
        bOpenAfterOk = ::IsWindow(d) != FALSE;
        d.OnCancel();
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(bOpenAfterOk);
    EXPECT_EQ(1u, boxes.Boxes().size());
}

TEST(Dialog, DestroyingTheWindowFromAHandlerEndsTheLoopWithMinusOne)
{
    CTestDialog owner(IDD_SMALL);
    INT_PTR nInner = 0;
    bool bOwnerEnabledAfter = false;
    owner.script = [&](CTestDialog& o) {
        CTestDialog dlg(IDD_TEST, &o);
        dlg.script = [](CTestDialog& d) { d.DestroyWindow(); };
        nInner = dlg.DoModal();
        bOwnerEnabledAfter = ::IsWindowEnabled(o) != FALSE;
        o.EndDialog(1);
    };
    EXPECT_EQ(1, owner.DoModal());
    EXPECT_EQ(-1, nInner);
    EXPECT_TRUE(bOwnerEnabledAfter);
}

TEST(Dialog, QuitEndsTheLoopAndIsLeftForTheNextLoop)
{
    CTestDialog dlg;
    dlg.script = [](CTestDialog&) { ::PostQuitMessage(3); };
    EXPECT_EQ(-1, dlg.DoModal());
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

// The main window itself has no owner.
TEST(Dialog, TheParentOrElseTheMainWindowOwnsTheDialogAndIsDisabledMeanwhile)
{
    CWinApp app;
    CTestDialog mainDlg(IDD_SMALL);
    app.m_pMainWnd = &mainDlg;
    struct Seen {
        HWND hOwner = nullptr;
        BOOL bOwnerEnabled = TRUE;
    } withParent, withoutParent;
    HWND hMain = nullptr, hMainOwner = reinterpret_cast<HWND>(1);
    BOOL bMainEnabledAfter = FALSE;
    mainDlg.script = [&](CTestDialog& m) {
        hMain = m.m_hWnd;
        hMainOwner = ::GetWindow(m, GW_OWNER);
        auto look = [&m](Seen& seen) {
            return [&seen, &m](CTestDialog& d) {
                seen.hOwner = ::GetWindow(d, GW_OWNER);
                seen.bOwnerEnabled = ::IsWindowEnabled(m);
                d.EndDialog(IDOK);
            };
        };
        CTestDialog child(IDD_TEST, &m);
        child.script = look(withParent);
        child.DoModal();
        CTestDialog orphan;
        orphan.script = look(withoutParent);
        orphan.DoModal();
        bMainEnabledAfter = ::IsWindowEnabled(m);
        m.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, mainDlg.DoModal());
    EXPECT_EQ(nullptr, hMainOwner);
    EXPECT_EQ(hMain, withParent.hOwner);
    EXPECT_FALSE(withParent.bOwnerEnabled);
    EXPECT_EQ(hMain, withoutParent.hOwner);
    EXPECT_FALSE(withoutParent.bOwnerEnabled);
    EXPECT_TRUE(bMainEnabledAfter);
    // The main window is forgotten once it is gone.
    EXPECT_EQ(nullptr, AfxGetMainWnd());
}

// Records PreTranslateMessage for key presses, and may keep them.
class CKeyLogWnd : public CWnd {
public:
    CKeyLogWnd(std::vector<std::string>& log, const char* name, bool bKeep)
        : m_log(log), m_name(name), m_bKeep(bKeep)
    {
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_KEYDOWN)
            return FALSE;
        m_log.push_back(m_name + " " + std::to_string(pMsg->wParam));
        return m_bKeep && pMsg->wParam == VK_ESCAPE;
    }

private:
    std::vector<std::string>& m_log;
    std::string m_name;
    bool m_bKeep;
};

class CKeyLogDialog : public CTestDialog {
public:
    std::vector<std::string> log;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            log.push_back("dialog " + std::to_string(pMsg->wParam));
        return FALSE;
    }

protected:
    void OnCancel() override
    {
        log.push_back("OnCancel");
        CTestDialog::OnCancel();
    }
    void OnButtonB()
    {
        log.push_back("B");
        EndDialog(7);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyLogDialog, CTestDialog)
    ON_BN_CLICKED(IDC_BUTTON_B, &CKeyLogDialog::OnButtonB)
END_MESSAGE_MAP()

TEST(Dialog, PreTranslateMessageRunsForTheWindowAndItsParentsBeforeIsDialogMessage)
{
    struct Row {
        bool bEditKeepsEscape;
        int nResult;
        std::vector<std::string> log;
    } rows[] = {
        {false, IDCANCEL, {"edit 27", "dialog 27", "OnCancel"}},
        {true, 7, {"edit 27", "edit 88", "dialog 88", "B"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bEditKeepsEscape ? "the edit keeps Esc" : "the edit passes Esc on");
        CKeyLogDialog dlg;
        CKeyLogWnd edit(dlg.log, "edit", row.bEditKeepsEscape);
        dlg.exchange = [&](CDataExchange* pDX) { DDX_Control(pDX, IDC_EDIT, edit); };
        dlg.script = [&](CTestDialog& d) {
            ::PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1);
            ::PostMessageW(edit, WM_KEYDOWN, 'X', 1);
            ::PostMessageW(d, WM_COMMAND, IDC_BUTTON_B, 0);
        };
        EXPECT_EQ(row.nResult, dlg.DoModal());
        EXPECT_EQ(row.log, dlg.log);
    }
}

}  // namespace

// The main dialog as the user meets it: its template, its state when it opens, and
// how Start and the size controls follow the choices.
#include "tests/win/app/MainDialogSession.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Expected {
    const char* pszStartCaption;
    bool bStartEnabled;
    bool bSizesEnabled;
    bool bSplitChecked;
    bool bMergeChecked;
    int nSizeChoice;
};

void ExpectForm(const MainDialogSession& s, const Expected& e)
{
    EXPECT_EQ(s.Text(IDOK), e.pszStartCaption);
    EXPECT_EQ(s.Enabled(IDOK), e.bStartEnabled);
    for (int nID : {IDC_SIZE_FRAME, IDC_SIZE_64MB, IDC_SIZE_32MB})
        EXPECT_EQ(s.Enabled(nID), e.bSizesEnabled) << "control " << nID;
    EXPECT_EQ(s.Checked(IDC_MODE_SPLIT), e.bSplitChecked);
    EXPECT_EQ(s.Checked(IDC_MODE_MERGE), e.bMergeChecked);
    EXPECT_EQ(s.Form().m_nSizeChoice, e.nSizeChoice);
    if (e.bSplitChecked || e.bMergeChecked) {
        EXPECT_EQ(s.Form().m_bSplitMode, e.bSplitChecked);
    }
}

std::vector<int> ChildIds(HWND hDialog)
{
    std::vector<int> ids;
    for (HWND h = ::GetWindow(hDialog, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
        ids.push_back(::GetDlgCtrlID(h));
    return ids;
}

}  // namespace

TEST(MainDialog, OpensFromItsTemplateWaitingForAModeChoice)
{
    MainDialogSession s;
    s.Run([&] {
        // Read back from the running dialog: the resource compiler kept the Chinese.
        const CString strTitle = CString("Tosvik2.0(优盘版)") + CString(14, ' ');
        CString strCaption = wintest::WindowText(s.Dialog());
        EXPECT_EQ(strCaption.compare(0, strTitle.size(), strTitle), 0) << strCaption;
        ASSERT_GT(strCaption.size(), strTitle.size());
        EXPECT_NE(strCaption[strTitle.size()], ' ');
        EXPECT_TRUE(::GetWindowLongPtrA(s.Dialog(), GWL_EXSTYLE) & WS_EX_APPWINDOW);

        EXPECT_EQ(s.Text(IDOK), "开始");
        EXPECT_EQ(s.Text(IDC_SIZE_FRAME), "请选择优盘大小32MB/64MB");

        const int order[] = {IDOK, IDCANCEL, IDC_PATH, IDC_BROWSE, IDC_MODE_SPLIT, IDC_MODE_MERGE,
                             IDC_MODE_FRAME, IDC_FILE_FRAME, IDC_SIZE_FRAME, IDC_SHOW_INSTRUCTIONS,
                             IDC_CREDITS_FRAME, IDC_DESIGNER_TEXT, IDC_HOME_LINK, IDC_MAIL_LINK,
                             IDC_SIZE_64MB, IDC_SIZE_32MB};
        EXPECT_EQ(ChildIds(s.Dialog()), std::vector<int>(std::begin(order), std::end(order)));
        for (int nID : order) {
            bool bDisabled = nID == IDOK || nID == IDC_SIZE_FRAME || nID == IDC_SIZE_64MB || nID == IDC_SIZE_32MB;
            EXPECT_EQ(s.Enabled(nID), !bDisabled) << "control " << nID;
        }
        EXPECT_TRUE(s.Text(IDC_PATH).empty());

        // No radio button is a tab stop or starts a group, so each pair excludes itself.
        for (int nID : {IDC_MODE_SPLIT, IDC_MODE_MERGE, IDC_SIZE_64MB, IDC_SIZE_32MB}) {
            LONG_PTR style = ::GetWindowLongPtrA(s.Item(nID), GWL_STYLE);
            EXPECT_EQ(style & (WS_TABSTOP | WS_GROUP | BS_TYPEMASK), BS_AUTORADIOBUTTON) << nID;
            EXPECT_FALSE(s.Checked(nID)) << nID;
        }

        CMainDialog& form = s.Form();
        EXPECT_EQ(form.m_nPieceSizeK, 32000);
        EXPECT_EQ(form.m_nSizeChoice, 0);
        EXPECT_TRUE(form.m_strPath.empty());
        ASSERT_NE(form.m_hIcon, nullptr);
        EXPECT_EQ(::SendMessageA(s.Dialog(), WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(form.m_hIcon));
        EXPECT_EQ(::SendMessageA(s.Dialog(), WM_GETICON, ICON_SMALL, 0), reinterpret_cast<LRESULT>(form.m_hIcon));

        HMENU hSysMenu = ::GetSystemMenu(s.Dialog(), FALSE);
        int nLast = ::GetMenuItemCount(hSysMenu) - 1;
        char szItem[64] = "";
        ::GetMenuStringA(hSysMenu, nLast, szItem, sizeof szItem, MF_BYPOSITION);
        EXPECT_STREQ(szItem, "关于 Tosvik(&A)...");
        EXPECT_EQ(::GetMenuItemID(hSysMenu, nLast), static_cast<UINT>(IDM_ABOUT_COMMAND));
        EXPECT_TRUE(::GetMenuState(hSysMenu, nLast - 1, MF_BYPOSITION) & MF_SEPARATOR);
    });
}

TEST(MainDialog, ModeAndSizeChoicesEnableStartAndNeverDisableIt)
{
    MainDialogSession s;
    s.Run([&] {
        const struct {
            int nClick;
            Expected after;
        } steps[] = {
            {IDC_MODE_SPLIT, {"分割", false, true, true, false, 0}},
            {IDC_MODE_MERGE, {"合并", false, false, false, true, 0}},
            {IDC_MODE_SPLIT, {"分割", false, true, true, false, 0}},
            // A size enables Start even with no path; Start then asks for one.
            {IDC_SIZE_32MB, {"分割", true, true, true, false, 1}},
            {IDC_SIZE_64MB, {"分割", true, true, true, false, 2}},
            {IDC_MODE_MERGE, {"合并", true, false, false, true, 2}},
            {IDC_MODE_SPLIT, {"分割", true, true, true, false, 2}},
        };
        for (const auto& step : steps) {
            SCOPED_TRACE(testing::Message() << "after clicking " << step.nClick);
            s.Click(step.nClick);
            ExpectForm(s, step.after);
        }
        // The size survived both mode changes.
        EXPECT_TRUE(s.Checked(IDC_SIZE_64MB));
        EXPECT_FALSE(s.Checked(IDC_SIZE_32MB));

        s.Click(IDOK);
        ASSERT_EQ(s.boxes.Boxes().size(), 1u);
        EXPECT_EQ(s.boxes.Boxes()[0].text, "请输入文件先!");
        EXPECT_EQ(s.boxes.Boxes()[0].hOwner, s.Dialog());
    });
}

TEST(MainDialog, BrowsingTakesOverTheTypedOrChosenPath)
{
    char szChosen[MAX_PATH];
    ::GetModuleFileNameA(nullptr, szChosen, MAX_PATH);
    const char kTyped[] = "C:\\typed\\movie_001.avi";
    MainDialogSession s;
    s.Run([&] {
        s.Click(IDC_MODE_MERGE);
        s.Browse(nullptr);
        EXPECT_TRUE(s.Form().m_strPath.empty());
        EXPECT_FALSE(s.Enabled(IDOK));

        // Typing alone tells the dialog nothing.
        s.TypePath(kTyped);
        s.Click(IDC_MODE_MERGE);
        EXPECT_TRUE(s.Form().m_strPath.empty());
        EXPECT_FALSE(s.Enabled(IDOK));

        s.Browse(nullptr);
        EXPECT_EQ(s.Form().m_strPath, kTyped);
        EXPECT_TRUE(s.Enabled(IDOK));

        s.Browse(szChosen);
        EXPECT_EQ(s.Text(IDC_PATH), szChosen);
        EXPECT_EQ(s.Form().m_strPath, szChosen);

        // Split keeps Start enabled although no size has been chosen.
        s.Click(IDC_MODE_SPLIT);
        ExpectForm(s, {"分割", true, true, true, false, 0});
    });
}

TEST(MainDialog, StartReadsATypedPathThatNoHandlerSaw)
{
    const char kTyped[] = "C:\\no such folder\\data.bin";
    MainDialogSession s;
    s.Run([&] {
        s.TypePath(kTyped);
        s.Click(IDC_MODE_SPLIT);
        EXPECT_FALSE(s.Enabled(IDOK));
        s.Click(IDC_SIZE_32MB);
        ASSERT_TRUE(s.Enabled(IDOK));

        s.Click(IDOK);
        ASSERT_EQ(s.boxes.Boxes().size(), 1u);
        const auto& box = s.boxes.Boxes()[0];
        EXPECT_EQ(box.text, "读取原文件错误");
        EXPECT_EQ(box.caption, "Kavrel分割中....");
        EXPECT_EQ(box.hOwner, s.Dialog());
        EXPECT_EQ(s.Form().m_strPath, kTyped);
        EXPECT_EQ(s.Text(IDOK), "分割");
    });
}

TEST(MainDialog, OverLongPathIsRefusedWithTheFocusOnTheField)
{
    MainDialogSession s;
    s.Run([&] {
        // Typing stops at the limit.
        s.TypePath(CString(300, 'a').c_str());
        EXPECT_EQ(s.Text(IDC_PATH).size(), 256u);

        const CString strLong = "C:\\" + CString(297, 'x');
        s.SetPathText(strLong);
        s.Click(IDC_MODE_SPLIT);
        s.Click(IDC_SIZE_32MB);
        s.Click(IDOK);

        // The over-length box ends the command: no job runs on a name nobody meant.
        const auto& boxes = s.boxes.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].text.find("256"), CString::npos) << boxes[0].text;
        EXPECT_TRUE(boxes[0].type & MB_ICONEXCLAMATION);
        EXPECT_EQ(boxes[0].hOwner, s.Dialog());
        EXPECT_EQ(s.Focus(), s.Item(IDC_PATH));
        DWORD nStart = 1, nEnd = 0;
        ::SendMessageA(s.Item(IDC_PATH), EM_GETSEL, reinterpret_cast<WPARAM>(&nStart),
                       reinterpret_cast<LPARAM>(&nEnd));
        EXPECT_EQ(nStart, 0u);
        EXPECT_EQ(nEnd, strLong.size());
    });
}

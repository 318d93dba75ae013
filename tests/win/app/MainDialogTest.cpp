// The main dialog as the user meets it: its template, its state when it opens, and
// how Start, the size controls and the size field follow the choices.
#include "tests/win/app/MainDialogSession.h"

#include "framework/portable/Utf16.h"
#include "res/resource.h"
#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <vector>

namespace {

struct Expected {
    const char* pszStartCaption;
    bool bStartEnabled;
    bool bSizesEnabled;
    bool bSplitChecked;
    bool bMergeChecked;
    int nSizeChecked;  // 0 none, else 32, 64 or kOther
};

const int kOther = 1;

void ExpectForm(const MainDialogSession& s, const Expected& e)
{
    EXPECT_EQ(s.Text(IDOK), e.pszStartCaption);
    EXPECT_EQ(s.Enabled(IDOK), e.bStartEnabled);
    for (int nID : {IDC_SIZE_FRAME, IDC_SIZE_64MB, IDC_SIZE_32MB, IDC_SIZE_OTHER})
        EXPECT_EQ(s.Enabled(nID), e.bSizesEnabled) << "control " << nID;
    // The field takes a size only while 其他 is the size chosen.
    EXPECT_EQ(s.Enabled(IDC_SIZE_OTHER_MB), e.bSizesEnabled && e.nSizeChecked == kOther);
    EXPECT_EQ(s.Checked(IDC_MODE_SPLIT), e.bSplitChecked);
    EXPECT_EQ(s.Checked(IDC_MODE_MERGE), e.bMergeChecked);
    // Start is captioned after the mode chosen.
    EXPECT_EQ(s.Checked(IDC_MODE_VERIFY), CString(e.pszStartCaption) == "校验");
    // A check writes nothing, so it has no folder to write to.
    for (int nID : {IDC_TARGET_DIR, IDC_BROWSE_DIR})
        EXPECT_EQ(s.Enabled(nID), !s.Checked(IDC_MODE_VERIFY)) << "control " << nID;
    EXPECT_EQ(s.Form().m_bSplitMode, e.bSplitChecked);
    EXPECT_EQ(s.Checked(IDC_SIZE_32MB), e.nSizeChecked == 32);
    EXPECT_EQ(s.Checked(IDC_SIZE_64MB), e.nSizeChecked == 64);
    EXPECT_EQ(s.Checked(IDC_SIZE_OTHER), e.nSizeChecked == kOther);
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
        EXPECT_TRUE(::GetWindowLongPtrW(s.Dialog(), GWL_EXSTYLE) & WS_EX_APPWINDOW);

        EXPECT_EQ(s.Text(IDOK), "开始");
        EXPECT_EQ(s.Text(IDC_SIZE_FRAME), "请选择优盘大小32MB/64MB");

        const int order[] = {IDOK, IDCANCEL, IDC_PATH_LABEL, IDC_PATH, IDC_BROWSE, IDC_TARGET_FRAME,
                             IDC_TARGET_DIR_LABEL, IDC_TARGET_DIR, IDC_BROWSE_DIR, IDC_TARGET_HINT, IDC_MODE_SPLIT,
                             IDC_MODE_MERGE, IDC_MODE_VERIFY, IDC_MODE_FRAME, IDC_FILE_FRAME, IDC_SIZE_FRAME,
                             IDC_SHOW_INSTRUCTIONS, IDC_CREDITS_FRAME, IDC_DESIGNER_TEXT, IDC_HOME_LINK,
                             IDC_MAIL_LINK, IDC_SIZE_64MB, IDC_SIZE_32MB, IDC_SIZE_OTHER,
                             IDC_SIZE_OTHER_MB_LABEL, IDC_SIZE_OTHER_MB};
        EXPECT_EQ(ChildIds(s.Dialog()), std::vector<int>(std::begin(order), std::end(order)));
        for (int nID : order) {
            bool bDisabled = nID == IDOK || nID == IDC_SIZE_FRAME || nID == IDC_SIZE_64MB || nID == IDC_SIZE_32MB ||
                nID == IDC_SIZE_OTHER || nID == IDC_SIZE_OTHER_MB;
            EXPECT_EQ(s.Enabled(nID), !bDisabled) << "control " << nID;
        }
        EXPECT_TRUE(s.Text(IDC_PATH).empty());

        // Each radio group is entered by Tab at its first button; the control after
        // it, and the first of the dialog, end it. The size field is a group of its own.
        const struct {
            int nID;
            LONG_PTR nMarks;
        } radios[] = {
            {IDC_MODE_SPLIT, WS_GROUP | WS_TABSTOP},
            {IDC_MODE_MERGE, 0},
            {IDC_MODE_VERIFY, 0},
            {IDC_SIZE_64MB, WS_GROUP | WS_TABSTOP},
            {IDC_SIZE_32MB, 0},
            {IDC_SIZE_OTHER, 0},
        };
        for (const auto& radio : radios) {
            LONG_PTR style = ::GetWindowLongPtrW(s.Item(radio.nID), GWL_STYLE);
            EXPECT_EQ(style & (WS_TABSTOP | WS_GROUP | BS_TYPEMASK), BS_AUTORADIOBUTTON | radio.nMarks) << radio.nID;
            EXPECT_FALSE(s.Checked(radio.nID)) << radio.nID;
        }
        for (int nID : {IDOK, IDC_MODE_FRAME})
            EXPECT_TRUE(::GetWindowLongPtrW(s.Item(nID), GWL_STYLE) & WS_GROUP) << nID;
        // An editable drop-down list, so a size can be typed or chosen.
        EXPECT_EQ(::GetWindowLongPtrW(s.Item(IDC_SIZE_OTHER_MB), GWL_STYLE) & (WS_GROUP | WS_TABSTOP | 3),
                  WS_GROUP | WS_TABSTOP | CBS_DROPDOWN);
        EXPECT_TRUE(::GetWindowLongPtrW(s.Item(IDOK), GWL_STYLE) & WS_TABSTOP);

        CMainDialog& form = s.Form();
        EXPECT_EQ(form.m_nPieceSizeK, 32000);
        EXPECT_TRUE(form.m_strPath.empty());
        const LRESULT hIcon = reinterpret_cast<LRESULT>(
            ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TRAY_ICON)));
        ASSERT_NE(hIcon, 0);
        EXPECT_EQ(::SendMessageW(s.Dialog(), WM_GETICON, ICON_BIG, 0), hIcon);
        EXPECT_EQ(::SendMessageW(s.Dialog(), WM_GETICON, ICON_SMALL, 0), hIcon);

        HMENU hSysMenu = ::GetSystemMenu(s.Dialog(), FALSE);
        int nLast = ::GetMenuItemCount(hSysMenu) - 1;
        wchar_t szItem[64] = L"";
        ::GetMenuStringW(hSysMenu, nLast, szItem, 64, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(szItem), L"关于 Tosvik(&A)...");
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
            {IDC_MODE_VERIFY, {"校验", false, false, false, false, 0}},
            {IDC_MODE_SPLIT, {"分割", false, true, true, false, 0}},
            // A size enables Start even with no path; Start then asks for one.
            {IDC_SIZE_32MB, {"分割", true, true, true, false, 32}},
            {IDC_SIZE_64MB, {"分割", true, true, true, false, 64}},
            // The size's mark stays through mode changes: the pairs are groups apart.
            {IDC_MODE_MERGE, {"合并", true, false, false, true, 64}},
            {IDC_MODE_VERIFY, {"校验", true, false, false, false, 64}},
            {IDC_MODE_SPLIT, {"分割", true, true, true, false, 64}},
            // 其他 is a third size like them; its field follows it, in and out of merge.
            {IDC_SIZE_OTHER, {"分割", true, true, true, false, kOther}},
            {IDC_MODE_MERGE, {"合并", true, false, false, true, kOther}},
            {IDC_MODE_VERIFY, {"校验", true, false, false, false, kOther}},
            {IDC_MODE_SPLIT, {"分割", true, true, true, false, kOther}},
            {IDC_SIZE_32MB, {"分割", true, true, true, false, 32}},
        };
        for (const auto& step : steps) {
            SCOPED_TRACE(testing::Message() << "after clicking " << step.nClick);
            s.Click(step.nClick);
            ExpectForm(s, step.after);
        }
        // A size chosen or typed in the field, as a program that drives the field
        // says so, chooses 其他; in merge mode nothing changes.
        for (WORD nCode : {CBN_SELCHANGE, CBN_EDITCHANGE}) {
            SCOPED_TRACE(nCode);
            s.Click(IDC_SIZE_64MB);
            s.Click(IDC_MODE_MERGE);
            s.SizeFieldNotifies(nCode);
            ExpectForm(s, {"合并", true, false, false, true, 64});
            s.Click(IDC_MODE_SPLIT);
            s.SizeFieldNotifies(nCode);
            ExpectForm(s, {"分割", true, true, true, false, kOther});
        }
        s.Click(IDOK);
        ASSERT_EQ(s.boxes.Boxes().size(), 1u);
        EXPECT_EQ(s.boxes.Boxes()[0].text, "请输入文件先!");
        EXPECT_EQ(s.boxes.Boxes()[0].hOwner, s.Dialog());
    });
}

TEST(MainDialog, BrowsingTakesOverTheTypedOrChosenPath)
{
    wchar_t szModule[MAX_PATH];
    ::GetModuleFileNameW(nullptr, szModule, MAX_PATH);
    const CString strChosen = Narrow(szModule, std::wcslen(szModule));
    // Typed as the system hands over keys, whatever its code page.
    const char kTyped[] = "C:\\typed\\한국어 movie😀_001.avi";
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

        s.Browse(strChosen.c_str());
        EXPECT_EQ(s.Text(IDC_PATH), strChosen);
        EXPECT_EQ(s.Form().m_strPath, strChosen);

        // Split keeps Start enabled although no size has been chosen.
        s.Click(IDC_MODE_SPLIT);
        ExpectForm(s, {"分割", true, true, true, false, 0});
    });
}

// 校验 takes no size: like merge, it waits for a path, which may be the record.
TEST(MainDialog, CheckModeEnablesStartOnAPathAsMergeDoes)
{
    CTempDir dir;
    const std::string strRecord = dir.Path("movie.avi.sha256");
    WriteBytes(strRecord, "");
    MainDialogSession s;
    s.Run([&] {
        s.Click(IDC_MODE_VERIFY);
        s.Browse(nullptr);
        ExpectForm(s, {"校验", false, false, false, false, 0});
        s.Browse(strRecord.c_str());
        EXPECT_EQ(s.Form().m_strPath, strRecord);
        ExpectForm(s, {"校验", true, false, false, false, 0});
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
        s.TypePath(CString(300, 'a'));
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
        ::SendMessageW(s.Item(IDC_PATH), EM_GETSEL, reinterpret_cast<WPARAM>(&nStart),
                       reinterpret_cast<LPARAM>(&nEnd));
        EXPECT_EQ(nStart, 0u);
        EXPECT_EQ(nEnd, strLong.size());
    });
}

namespace {

// Presses key on the focused control and returns the control that has the focus
// afterwards. The dialog's modal loop handles the key, as it would a real one.
int Press(MainDialogSession& s, WPARAM nKey)
{
    HWND hBefore = s.Focus();
    ::PostMessageW(hBefore, WM_KEYDOWN, nKey, 1);
    ::PostMessageW(hBefore, WM_KEYUP, nKey, 0xC0000001);
    wintest::WaitFor([&] { return s.Focus() != hBefore; }, 2000);
    s.Sync();
    // In the size field the focus is on its edit part, a child of the combo box.
    HWND hFocus = s.Focus();
    if (::GetParent(hFocus) != s.Dialog())
        hFocus = ::GetParent(hFocus);
    return ::GetDlgCtrlID(hFocus);
}

void FocusOn(MainDialogSession& s, int nID)
{
    ::SendMessageW(s.Dialog(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(s.Item(nID)), TRUE);
    ASSERT_EQ(s.Focus(), s.Item(nID));
}

// The controls Tab visits from nStart until it comes back there.
std::vector<int> TabCycle(MainDialogSession& s, int nStart)
{
    FocusOn(s, nStart);
    std::vector<int> visited;
    for (int i = 0; i < 12; ++i) {
        int nID = Press(s, VK_TAB);
        if (nID == nStart)
            break;
        visited.push_back(nID);
    }
    return visited;
}

}  // namespace

TEST(MainDialog, TabReachesBothGroupsAndArrowKeysStayInTheirGroup)
{
    MainDialogSession s;
    s.Run([&] {
        // Nothing chosen yet: the mode pair is entered at split; the sizes are off.
        EXPECT_EQ(TabCycle(s, IDC_PATH),
                  (std::vector<int>{IDC_BROWSE, IDC_TARGET_DIR, IDC_BROWSE_DIR, IDC_MODE_SPLIT, IDC_SHOW_INSTRUCTIONS, IDC_HOME_LINK,
                                    IDC_MAIL_LINK, IDCANCEL}));

        // The arrow keys choose within the three modes and wrap inside them.
        FocusOn(s, IDC_MODE_SPLIT);
        EXPECT_EQ(Press(s, VK_DOWN), IDC_MODE_MERGE);
        ExpectForm(s, {"合并", false, false, false, true, 0});
        EXPECT_EQ(Press(s, VK_DOWN), IDC_MODE_VERIFY);
        ExpectForm(s, {"校验", false, false, false, false, 0});
        EXPECT_EQ(Press(s, VK_DOWN), IDC_MODE_SPLIT);
        ExpectForm(s, {"分割", false, true, true, false, 0});

        s.Click(IDC_SIZE_64MB);
        // Tab enters each group at its checked button; the size field, off, is passed.
        EXPECT_EQ(TabCycle(s, IDC_PATH), (std::vector<int>{IDC_BROWSE, IDC_TARGET_DIR, IDC_BROWSE_DIR, IDC_MODE_SPLIT, IDC_SHOW_INSTRUCTIONS,
                                                           IDC_HOME_LINK, IDC_MAIL_LINK, IDC_SIZE_64MB, IDOK,
                                                           IDCANCEL}));
        FocusOn(s, IDC_SIZE_64MB);
        EXPECT_EQ(Press(s, VK_DOWN), IDC_SIZE_32MB);
        ExpectForm(s, {"分割", true, true, true, false, 32});
        EXPECT_EQ(Press(s, VK_DOWN), IDC_SIZE_OTHER);
        ExpectForm(s, {"分割", true, true, true, false, kOther});
        // From the last button the arrow wraps inside the three, not into the field.
        EXPECT_EQ(Press(s, VK_DOWN), IDC_SIZE_64MB);
        EXPECT_EQ(Press(s, VK_UP), IDC_SIZE_OTHER);
        // With 其他 chosen, Tab goes from the sizes on to their field.
        EXPECT_EQ(TabCycle(s, IDC_PATH), (std::vector<int>{IDC_BROWSE, IDC_TARGET_DIR, IDC_BROWSE_DIR, IDC_MODE_SPLIT, IDC_SHOW_INSTRUCTIONS,
                                                           IDC_HOME_LINK, IDC_MAIL_LINK, IDC_SIZE_OTHER,
                                                           IDC_SIZE_OTHER_MB, IDOK, IDCANCEL}));
        FocusOn(s, IDC_SIZE_OTHER);
        EXPECT_EQ(Press(s, VK_UP), IDC_SIZE_32MB);
        ExpectForm(s, {"分割", true, true, true, false, 32});

        // Merge and check by arrow leave the size marked for the next split.
        FocusOn(s, IDC_MODE_SPLIT);
        EXPECT_EQ(Press(s, VK_UP), IDC_MODE_VERIFY);
        ExpectForm(s, {"校验", true, false, false, false, 32});
        EXPECT_EQ(Press(s, VK_UP), IDC_MODE_MERGE);
        ExpectForm(s, {"合并", true, false, false, true, 32});
    });
}

TEST(MainDialog, ADroppedFileFillsTheFieldAndChoosesTheModeByItsName)
{
    const Expected split = {"分割", true, true, true, false, 0};
    const Expected merge = {"合并", true, false, false, true, 0};
    const Expected check = {"校验", true, false, false, false, 0};
    const struct {
        const char* pszFile;
        const Expected& mode;
    } rows[] = {
        {"C:\\data\\한국어.bin", split},
        {"C:\\data\\photo😀_001.jpg", merge},
        {"C:\\data\\movie_002.avi", split},
        {"C:\\data\\notes_001", merge},
        // The number belongs to the file's name, not to a folder's.
        {"C:\\set_001.d\\movie.avi", split},
        {"C:\\v1.0\\movie_001.avi", merge},
        {"C:\\data\\x001.bin", split},
        // A record is checked against its set, whatever its own name says.
        {"C:\\data\\movie.avi.sha256", check},
        {"C:\\data\\movie_001.sha256", check},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszFile);
        MainDialogSession s;
        s.Run([&] {
            s.Drop({row.pszFile, "C:\\data\\second.bin"});
            EXPECT_EQ(s.Form().m_strPath, row.pszFile);
            // Start is ready as after a confirmed browse, without a size for a split.
            ExpectForm(s, row.mode);
        });
    }
}

TEST(MainDialog, ADropKeepsAChosenModeAndReplacesTheFieldsText)
{
    MainDialogSession s;
    s.Run([&] {
        s.Click(IDC_MODE_MERGE);
        s.TypePath("C:\\typed.bin");
        s.Drop({"D:\\한국어\\movie.avi"});
        EXPECT_EQ(s.Form().m_strPath, "D:\\한국어\\movie.avi");
        ExpectForm(s, {"合并", true, false, false, true, 0});

        s.Click(IDC_MODE_SPLIT);
        s.Click(IDC_SIZE_64MB);
        s.Drop({"D:\\piece_001.avi"});
        ExpectForm(s, {"分割", true, true, true, false, 64});
        s.Drop({"D:\\piece.avi.sha256"});
        ExpectForm(s, {"分割", true, true, true, false, 64});

        s.Click(IDC_MODE_VERIFY);
        s.Drop({"D:\\piece.avi"});
        ExpectForm(s, {"校验", true, false, false, false, 64});
        EXPECT_TRUE(s.boxes.Boxes().empty());
    });
}

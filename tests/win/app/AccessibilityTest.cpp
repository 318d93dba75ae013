// The window as keyboard users and assistive tools reach it, from a process of their
// own: where the focus starts, Tab reaching the links, a focused link opened by Enter,
// Space or its default action, and what the links and fields answer as accessible
// objects.
#include "tests/win/app/RunningProgram.h"

#include "res/resource.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Ours: the import library's IID_IAccessible is not the data itself.
const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// A merge waiting to start, so that an Enter reaching the dialog would press Start.
const char kMergeFile[] = "\"C:\\数据\\movie_001.avi\"";

struct ComApartment {
    ComApartment() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { ::CoUninitialize(); }
};

// What a window's client object answers, as a screen reader asks it.
struct Answers {
    HRESULT hr = E_FAIL;
    CString strName, strAction;
    LONG nRole = -1, nState = -1;
    HRESULT hrDefaultAction = E_FAIL;  // when asked to do it
};

CString TakeText(BSTR bstr)
{
    CString strText = bstr != nullptr ? Narrow(bstr, ::SysStringLen(bstr)) : CString();
    ::SysFreeString(bstr);
    return strText;
}

Answers Ask(HWND hWnd, bool bDoDefaultAction = false)
{
    Answers answers;
    IAccessible* pAcc = nullptr;
    answers.hr = ::AccessibleObjectFromWindow(hWnd, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                              reinterpret_cast<void**>(&pAcc));
    if (FAILED(answers.hr))
        return answers;
    VARIANT self, var;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR bstr = nullptr;
    if (pAcc->get_accName(self, &bstr) == S_OK)
        answers.strName = TakeText(bstr);
    if (pAcc->get_accDefaultAction(self, &bstr) == S_OK)
        answers.strAction = TakeText(bstr);
    if (pAcc->get_accRole(self, &var) == S_OK && var.vt == VT_I4)
        answers.nRole = var.lVal;
    if (pAcc->get_accState(self, &var) == S_OK && var.vt == VT_I4)
        answers.nState = var.lVal;
    if (bDoDefaultAction)
        answers.hrDefaultAction = pAcc->accDoDefaultAction(self);
    pAcc->Release();
    return answers;
}

// A key pressed on whatever has the program's focus, through its dialog loop.
void Press(const RunningProgram& program, WPARAM nKey)
{
    HWND hFocus = program.Focus();
    ::PostMessageW(hFocus, WM_KEYDOWN, nKey, 1);
    ::PostMessageW(hFocus, WM_KEYUP, nKey, 0xC0000001);
}

// Tab once; the control that has the focus afterwards.
int Tab(const RunningProgram& program)
{
    HWND hBefore = program.Focus();
    Press(program, VK_TAB);
    wintest::WaitFor([&] { return program.Focus() != hBefore; }, 3000);
    return ::GetDlgCtrlID(program.Focus());
}

bool Opened(HWND hLink)
{
    return (Ask(hLink).nState & STATE_SYSTEM_TRAVERSED) != 0;
}

}  // namespace

TEST(Accessibility, OpensOnThePathFieldAndTabReachesBothLinks)
{
    RunningProgram program("");
    ASSERT_NE(program.Dialog(), nullptr) << "the program showed no dialog";
    ASSERT_TRUE(wintest::WaitFor([&] { return program.Focus() != nullptr; }));
    EXPECT_EQ(::GetDlgCtrlID(program.Focus()), IDC_PATH);
    EXPECT_FALSE(program.Checked(IDC_MODE_SPLIT));
    EXPECT_FALSE(program.Checked(IDC_MODE_MERGE));
    EXPECT_FALSE(program.Checked(IDC_MODE_VERIFY));

    std::vector<int> visited;
    for (int i = 0; i < 12; ++i) {
        int nID = Tab(program);
        visited.push_back(nID);
        if (nID == IDC_PATH)
            break;
    }
    EXPECT_EQ(visited, (std::vector<int>{IDC_BROWSE, IDC_TARGET_DIR, IDC_BROWSE_DIR, IDC_MODE_SPLIT, IDC_SHOW_INSTRUCTIONS, IDC_HOME_LINK,
                                         IDC_MAIL_LINK, IDCANCEL, IDC_PATH}));
}

// Start is enabled each time, so the dialog would show a box had Enter reached it.
TEST(Accessibility, AFocusedLinkOpensByEnterSpaceAndItsDefaultActionAndNothingElse)
{
    ComApartment com;
    const struct {
        const char* pszHow;
        int nLink;
        std::function<void(const RunningProgram&)> open;
    } rows[] = {
        {"Enter", IDC_HOME_LINK, [](const RunningProgram& p) { Press(p, VK_RETURN); }},
        {"Space", IDC_MAIL_LINK, [](const RunningProgram& p) { Press(p, VK_SPACE); }},
        {"default action", IDC_HOME_LINK,
         [](const RunningProgram& p) { EXPECT_EQ(Ask(p.Item(IDC_HOME_LINK), true).hrDefaultAction, S_OK); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszHow);
        RunningProgram program(kMergeFile);
        ASSERT_NE(program.Dialog(), nullptr) << "the program showed no dialog";
        ASSERT_TRUE(::IsWindowEnabled(program.Item(IDOK)));
        HWND hLink = program.Item(row.nLink);
        for (int i = 0; i < 12 && program.Focus() != hLink; ++i)
            Tab(program);
        ASSERT_EQ(program.Focus(), hLink);
        ASSERT_FALSE(Opened(hLink));

        row.open(program);
        EXPECT_TRUE(wintest::WaitFor([&] { return Opened(hLink); }, 10000));
        EXPECT_EQ(program.WaitForBox(1500), nullptr) << "a box appeared";
        EXPECT_EQ(program.Focus(), hLink);
    }
}

TEST(Accessibility, LinksAnswerAsLinksAndFieldsHaveNames)
{
    ComApartment com;
    RunningProgram program("");
    ASSERT_NE(program.Dialog(), nullptr) << "the program showed no dialog";
    ::SendMessageW(program.Dialog(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(program.Item(IDC_MAIL_LINK)), TRUE);

    // A field is named by the static text just before it, hidden or not. Wine reads
    // that name for edit fields only; a combo box it reports without one.
    enum Kind { kLink, kEditField, kComboField };
    const struct {
        int nID;
        const char* pszName;
        Kind kind;
    } rows[] = {
        {IDC_HOME_LINK, "http://www.example.com", kLink},
        {IDC_MAIL_LINK, "email:tosvik@example.com", kLink},
        {IDC_PATH, "请选择欲处理之文件", kEditField},
        {IDC_TARGET_DIR, "保存到", kEditField},
        {IDC_SIZE_OTHER_MB, "其他大小（MB）", kComboField},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        Answers answers = Ask(program.Item(row.nID));
        ASSERT_EQ(answers.hr, S_OK);
        if (row.kind == kLink) {
            EXPECT_EQ(answers.strName, row.pszName);
            EXPECT_EQ(answers.nRole, ROLE_SYSTEM_LINK);
            EXPECT_EQ(answers.nState & ~STATE_SYSTEM_FOCUSED, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED);
            EXPECT_EQ((answers.nState & STATE_SYSTEM_FOCUSED) != 0, row.nID == IDC_MAIL_LINK);
            EXPECT_EQ(answers.strAction, "打开");
            continue;
        }
        HWND hLabel = ::GetWindow(program.Item(row.nID), GW_HWNDPREV);
        wchar_t szClass[16] = L"";
        ::GetClassNameW(hLabel, szClass, 16);
        EXPECT_EQ(std::wstring(szClass), L"Static");
        EXPECT_EQ(wintest::WindowText(hLabel), row.pszName);
        if (row.kind == kEditField) {
            EXPECT_EQ(answers.strName, row.pszName);
        }
    }
}

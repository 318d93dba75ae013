#include "app/MainDialog.h"

#include "app/ProgressDialog.h"
#include "engine/JobTexts.h"
#include "framework/win32/DataExchange.h"
#include "framework/win32/FileDialog.h"
#include "framework/win32/WaitCursor.h"
#include "framework/win32/WinApp.h"
#include "res/resource.h"

namespace {

const int kMaxPathChars = 256;

const char kHomeAddress[] = "http://www.example.com/";
const char kMailAddress[] = "mailto:tosvik@example.com";

}  // namespace

CMainDialog::CMainDialog(CWnd* pParent)
    : CDialog(IDD_MAIN_DIALOG, pParent),
      m_hIcon(::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_TRAY_ICON)))
{
}

BEGIN_MESSAGE_MAP(CMainDialog, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_BROWSE, &CMainDialog::OnBrowse)
    ON_BN_CLICKED(IDC_MODE_SPLIT, &CMainDialog::OnModeSplit)
    ON_BN_CLICKED(IDC_MODE_MERGE, &CMainDialog::OnModeMerge)
    ON_BN_CLICKED(IDC_SHOW_INSTRUCTIONS, &CMainDialog::OnShowInstructions)
    ON_WM_SIZE()
    ON_MESSAGE(WM_TRAY_NOTIFY, &CMainDialog::OnTrayNotify)
    ON_BN_CLICKED(IDC_SIZE_32MB, &CMainDialog::OnPieceSize32MB)
    ON_BN_CLICKED(IDC_SIZE_64MB, &CMainDialog::OnPieceSize64MB)
END_MESSAGE_MAP()

void CMainDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PATH, m_strPath);
    DDV_MaxChars(pDX, m_strPath, kMaxPathChars);
    DDX_Control(pDX, IDC_HOME_LINK, m_linkHome);
    DDX_Control(pDX, IDC_MAIL_LINK, m_linkMail);
}

BOOL CMainDialog::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (HMENU hSysMenu = GetSystemMenu(FALSE)) {
        char szAbout[128];
        if (::LoadStringA(AfxGetInstanceHandle(), IDS_ABOUT_MENU_TEXT, szAbout, sizeof szAbout) > 0) {
            ::AppendMenuA(hSysMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuA(hSysMenu, MF_STRING, IDM_ABOUT_COMMAND, szAbout);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_linkMail.SetTarget(kMailAddress);
    m_linkMail.MarkOpened(FALSE);
    m_linkHome.SetTarget(kHomeAddress);
    m_linkHome.MarkOpened(FALSE);

    m_nPieceSizeK = 32000;
    GetDlgItem(IDOK).EnableWindow(FALSE);
    EnableSizeControls(FALSE);
    m_strPath.clear();
    return TRUE;
}

int CMainDialog::MessageBox(const char* pszText, const char* pszCaption, unsigned nType)
{
    return CDialog::MessageBox(pszText, pszCaption, nType);
}

bool CMainDialog::SaveForm()
{
    return UpdateData(TRUE) != FALSE;
}

void CMainDialog::OnOK()
{
    CWaitCursor wait;
    CString strFieldText;
    GetDlgItemText(IDC_PATH, strFieldText);
    if (!PrepareStartJob(*this, *this, strFieldText))
        return;
    // The worker gets the form as it stands now; the members stay this thread's.
    const CSplitForm form = *this;
    CProgressDialog dlgProgress(*this, form.m_bSplitMode ? kSplitCaption : kMergeCaption,
                                [form](IMessageOwner& owner, IJobProgress& progress) {
                                    return RunStartJob(owner, form, &progress);
                                });
    // A file error that ended the job reaches the framework's report from here.
    dlgProgress.Run();
}

void CMainDialog::OnBrowse()
{
    CFileDialog dlg(TRUE, nullptr, "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, nullptr);
    if (dlg.DoModal() == IDOK) {
        m_strPath = dlg.GetPathName();
        SetDlgItemText(IDC_PATH, m_strPath.c_str());
    } else {
        // A path typed into the field is taken over.
        GetDlgItemText(IDC_PATH, m_strPath);
    }
    if (!m_strPath.empty() &&
        (IsDlgButtonChecked(IDC_MODE_MERGE) == BST_CHECKED || IsDlgButtonChecked(IDC_MODE_SPLIT) == BST_CHECKED))
        EnableStart();
}

void CMainDialog::OnModeSplit()
{
    CheckDlgButton(IDC_MODE_SPLIT, BST_CHECKED);
    // The first radio group has no group mark, so the system joins it to the last
    // one: choosing merge cleared the size's mark. Show again the size a split uses.
    if (m_nSizeChoice == 1 || m_nSizeChoice == 2)
        CheckDlgButton(m_nSizeChoice == 1 ? IDC_SIZE_32MB : IDC_SIZE_64MB, BST_CHECKED);
    m_bSplitMode = true;
    SetDlgItemText(IDOK, "分割");
    EnableSizeControls(TRUE);
    if (!m_strPath.empty() && m_nSizeChoice != 0)
        EnableStart();
}

void CMainDialog::OnModeMerge()
{
    CheckDlgButton(IDC_MODE_MERGE, BST_CHECKED);
    m_bSplitMode = false;
    SetDlgItemText(IDOK, "合并");
    EnableSizeControls(FALSE);
    if (!m_strPath.empty())
        EnableStart();
}

// The size controls are enabled only in split mode, so a size choice confirms split
// mode without running OnModeSplit.
void CMainDialog::OnPieceSize32MB()
{
    CheckDlgButton(IDC_SIZE_32MB, BST_CHECKED);
    CheckDlgButton(IDC_MODE_SPLIT, BST_CHECKED);
    m_nSizeChoice = 1;
    EnableStart();
}

void CMainDialog::OnPieceSize64MB()
{
    CheckDlgButton(IDC_SIZE_64MB, BST_CHECKED);
    CheckDlgButton(IDC_MODE_SPLIT, BST_CHECKED);
    m_nSizeChoice = 2;
    EnableStart();
}

void CMainDialog::EnableSizeControls(BOOL bEnable)
{
    GetDlgItem(IDC_SIZE_FRAME).EnableWindow(bEnable);
    GetDlgItem(IDC_SIZE_64MB).EnableWindow(bEnable);
    GetDlgItem(IDC_SIZE_32MB).EnableWindow(bEnable);
}

void CMainDialog::EnableStart()
{
    GetDlgItem(IDOK).EnableWindow(TRUE);
}

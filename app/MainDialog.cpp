// The main dialog: its message map and OnCommand, which together name every button,
// choice and menu item, and the handlers of the form. The Start command (OnOK) is in
// StartCommand.cpp; the system menu, painting and minimising to the tray icon
// (TrayIcon.cpp) in MainDialogWindow.cpp.
#include "app/MainDialog.h"

#include "app/SizeChoice.h"
#include "engine/ChecksumRecord.h"
#include "engine/PieceName.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/Utf16.h"
#include "framework/win32/DataExchange.h"
#include "framework/win32/FileDialog.h"
#include "framework/win32/FolderDialog.h"
#include "framework/win32/Menu.h"
#include "framework/win32/WinApp.h"
#include "res/resource.h"

namespace {

const int kMaxPathChars = 256;

const char kHomeAddress[] = "http://www.example.com/";
// The link's text and the instructions name the same address.
const char kMailAddress[] = "mailto:tosvik@example.com";

// Why the file-open dialog failed, in the program's words.
CString BrowseErrorText(DWORD nError)
{
    CString strWhy;
    switch (nError) {
    case FNERR_BUFFERTOOSMALL:
        strWhy = "选中的文件的路径太长了，本软件接不住它。";
        break;
    case FNERR_INVALIDFILENAME:
        strWhy = "文件名无效。";
        break;
    default:
        strWhy = AfxFormat("选择文件的对话框出错了（错误代码 0x%04lX）。", static_cast<unsigned long>(nError));
        break;
    }
    return strWhy + "\n没有选中任何文件，请重新选择!";
}

}  // namespace

CMainDialog::CMainDialog(CWnd* pParent, CString strStartFile, CString strStartFolder)
    : CDialog(IDD_MAIN_DIALOG, pParent),
      m_hIcon(::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDI_TRAY_ICON))),
      m_strStartFile(std::move(strStartFile)),
      m_strStartFolder(std::move(strStartFolder))
{
}

BEGIN_MESSAGE_MAP(CMainDialog, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_BROWSE, &CMainDialog::OnBrowse)
    ON_BN_CLICKED(IDC_BROWSE_DIR, &CMainDialog::OnBrowseFolder)
    ON_MESSAGE(WM_CTLCOLORSTATIC, &CMainDialog::OnCtlColorStatic)
    ON_BN_CLICKED(IDC_MODE_SPLIT, &CMainDialog::OnModeSplit)
    ON_BN_CLICKED(IDC_MODE_MERGE, &CMainDialog::OnModeMerge)
    ON_BN_CLICKED(IDC_MODE_VERIFY, &CMainDialog::OnModeVerify)
    ON_BN_CLICKED(IDC_SHOW_INSTRUCTIONS, &CMainDialog::OnShowInstructions)
    ON_WM_SIZE()
    ON_MESSAGE(WM_TRAY_NOTIFY, &CMainDialog::OnTrayNotify)
    ON_REGISTERED_MESSAGE(CTrayIcon::s_nTaskbarCreatedMessage, &CMainDialog::OnTaskbarCreated)
    ON_MESSAGE(WM_DROPFILES, &CMainDialog::OnDropFiles)
    ON_BN_CLICKED(IDC_SIZE_32MB, &CMainDialog::OnPieceSize32MB)
    ON_BN_CLICKED(IDC_SIZE_64MB, &CMainDialog::OnPieceSize64MB)
    ON_BN_CLICKED(IDC_SIZE_OTHER, &CMainDialog::OnPieceSizeOther)
    ON_CBN_SELCHANGE(IDC_SIZE_OTHER_MB, &CMainDialog::OnSizeFieldChange)
    ON_CBN_EDITCHANGE(IDC_SIZE_OTHER_MB, &CMainDialog::OnSizeFieldChange)
END_MESSAGE_MAP()

// Every command passes here first; IDOK reaches the Start command (OnOK) and
// IDCANCEL the framework's default through the base class.
BOOL CMainDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    m_trayIcon.OnCommand(LOWORD(wParam));
    return CDialog::OnCommand(wParam, lParam);
}

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
        CString strAbout = AfxLoadString(IDS_ABOUT_MENU_TEXT);
        if (!strAbout.empty()) {
            AfxAppendMenu(hSysMenu, MF_SEPARATOR, 0, nullptr);
            AfxAppendMenu(hSysMenu, MF_STRING, IDM_ABOUT_COMMAND, strAbout.c_str());
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_linkMail.SetTarget(kMailAddress);
    m_linkMail.MarkOpened(FALSE);
    m_linkHome.SetTarget(kHomeAddress);
    m_linkHome.MarkOpened(FALSE);

    for (const CString& strChoice : SizeFieldChoices())
        GetDlgItem(IDC_SIZE_OTHER_MB).SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(strChoice).c_str()));

    m_nPieceSizeK = PieceSizeFor(0, CString()).Thousands();
    GetDlgItem(IDOK).EnableWindow(FALSE);
    EnableSizeControls(FALSE);
    m_strPath.clear();

    ::DragAcceptFiles(m_hWnd, TRUE);
    if (!m_strStartFile.empty())
        TakeDropped(m_strStartFile);
    if (!m_strStartFolder.empty())
        SetDlgItemText(IDC_TARGET_DIR, m_strStartFolder.c_str());
    // Not 分割: an unchecked automatic radio button clicks itself as it takes the
    // focus, and nothing is chosen yet. Not 退出 either, one Space away from quitting.
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDC_PATH).m_hWnd), TRUE);
    return FALSE;
}

void CMainDialog::OnBrowse()
{
    CFileDialog dlg(nullptr, "*.*", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, nullptr);
    if (dlg.DoModal() == IDOK) {
        m_strPath = dlg.GetPathName();
        SetDlgItemText(IDC_PATH, m_strPath.c_str());
    } else if (DWORD nError = dlg.GetError()) {
        // Whatever stood in the field before was not chosen: Start must not act on it.
        m_strPath.clear();
        SetDlgItemText(IDC_PATH, "");
        ShowFormError(BrowseErrorText(nError));
        return;
    } else {
        // Cancelled: a path typed into the field is taken over.
        GetDlgItemText(IDC_PATH, m_strPath);
    }
    EnableStartForPath();
}

LRESULT CMainDialog::OnDropFiles(WPARAM wParam, LPARAM /*lParam*/)
{
    HDROP hDrop = reinterpret_cast<HDROP>(wParam);
    // The first file of a drop of several; the system's length excludes the null.
    UINT nLength = ::DragQueryFileW(hDrop, 0, nullptr, 0);
    std::wstring strFile(nLength, L'\0');
    UINT nCopied = nLength == 0 ? 0 : ::DragQueryFileW(hDrop, 0, &strFile[0], nLength + 1);
    ::DragFinish(hDrop);
    if (nCopied == 0)
        return 0;
    strFile.resize(nCopied);
    TakeDropped(Narrow(strFile));
    return 0;
}

void CMainDialog::OnBrowseFolder()
{
    CString strFolder;
    GetDlgItemText(IDC_TARGET_DIR, strFolder);
    CFolderDialog dlg(strFolder, this);
    if (dlg.DoModal() == IDOK) {
        SetDlgItemText(IDC_TARGET_DIR, dlg.GetFolderPath().c_str());
    } else if (const HRESULT hr = dlg.GetError()) {
        // The field stays as it was: it still says where the job writes.
        ShowFormError(AfxFormat("选择文件夹的对话框出错了（错误代码 0x%08lX）。",
                                static_cast<unsigned long>(hr)));
    }
}

LRESULT CMainDialog::OnCtlColorStatic(WPARAM wParam, LPARAM lParam)
{
    if (::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != IDC_TARGET_HINT)
        return Default();
    HDC hDC = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(hDC, ::GetSysColor(COLOR_GRAYTEXT));
    ::SetBkColor(hDC, ::GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

void CMainDialog::TakeDropped(const CString& strPath)
{
    if (IsFolder(strPath))
        SetDlgItemText(IDC_TARGET_DIR, strPath.c_str());
    else
        TakeFile(strPath);
}

void CMainDialog::TakeFile(const CString& strPath)
{
    m_strPath = strPath;
    SetDlgItemText(IDC_PATH, m_strPath.c_str());
    if (!ModeChosen()) {
        // A record names a set to check; piece 001 starts one: merged, not split.
        if (IsChecksumRecordName(m_strPath))
            OnModeVerify();
        else if (CPieceName(m_strPath).IsFirstPiece())
            OnModeMerge();
        else
            OnModeSplit();
    }
    EnableStartForPath();
}

void CMainDialog::EnableStartForPath()
{
    if (!m_strPath.empty() && ModeChosen())
        EnableStart();
}

bool CMainDialog::ModeChosen()
{
    for (int nID : {IDC_MODE_SPLIT, IDC_MODE_MERGE, IDC_MODE_VERIFY}) {
        if (IsDlgButtonChecked(nID) == BST_CHECKED)
            return true;
    }
    return false;
}

void CMainDialog::OnModeSplit()
{
    CheckDlgButton(IDC_MODE_SPLIT, BST_CHECKED);
    m_bSplitMode = true;
    m_mode = JobKind::Split;
    SetDlgItemText(IDOK, "分割");
    EnableSizeControls(TRUE);
    EnableTargetControls(TRUE);
    if (!m_strPath.empty() && m_nSizeChoice != 0)
        EnableStart();
}

void CMainDialog::OnModeMerge()
{
    ChooseSetMode(IDC_MODE_MERGE, JobKind::Merge, "合并");
}

void CMainDialog::OnModeVerify()
{
    ChooseSetMode(IDC_MODE_VERIFY, JobKind::Verify, "校验");
}

void CMainDialog::ChooseSetMode(int nID, JobKind mode, const char* pszStart)
{
    CheckDlgButton(nID, BST_CHECKED);
    m_bSplitMode = false;
    m_mode = mode;
    SetDlgItemText(IDOK, pszStart);
    EnableSizeControls(FALSE);
    EnableTargetControls(mode != JobKind::Verify);
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
    EnableSizeField();
    EnableStart();
}

void CMainDialog::OnPieceSize64MB()
{
    CheckDlgButton(IDC_SIZE_64MB, BST_CHECKED);
    CheckDlgButton(IDC_MODE_SPLIT, BST_CHECKED);
    m_nSizeChoice = 2;
    EnableSizeField();
    EnableStart();
}

void CMainDialog::OnPieceSizeOther()
{
    // Reached from the field too, where no click cleared the other two sizes.
    CheckRadioButton(IDC_SIZE_64MB, IDC_SIZE_OTHER, IDC_SIZE_OTHER);
    CheckDlgButton(IDC_MODE_SPLIT, BST_CHECKED);
    m_nSizeChoice = 3;
    EnableSizeField();
    EnableStart();
}

void CMainDialog::OnSizeFieldChange()
{
    // Like the size buttons, the field chooses only while the size group takes input.
    if (m_nSizeChoice != 3 && GetDlgItem(IDC_SIZE_OTHER).IsWindowEnabled())
        OnPieceSizeOther();
}

void CMainDialog::EnableSizeControls(BOOL bEnable)
{
    GetDlgItem(IDC_SIZE_FRAME).EnableWindow(bEnable);
    GetDlgItem(IDC_SIZE_64MB).EnableWindow(bEnable);
    GetDlgItem(IDC_SIZE_32MB).EnableWindow(bEnable);
    GetDlgItem(IDC_SIZE_OTHER).EnableWindow(bEnable);
    EnableSizeField();
}

void CMainDialog::EnableTargetControls(BOOL bEnable)
{
    for (int nID : {IDC_TARGET_FRAME, IDC_TARGET_DIR, IDC_BROWSE_DIR, IDC_TARGET_HINT})
        GetDlgItem(nID).EnableWindow(bEnable);
}

void CMainDialog::EnableSizeField()
{
    GetDlgItem(IDC_SIZE_OTHER_MB).EnableWindow(m_nSizeChoice == 3 && GetDlgItem(IDC_SIZE_OTHER).IsWindowEnabled());
}

void CMainDialog::EnableStart()
{
    GetDlgItem(IDOK).EnableWindow(TRUE);
}

void CMainDialog::ShowFormError(const CString& strText)
{
    MessageBox(strText.c_str(), "Kavrel：你出错了", MB_ICONEXCLAMATION);
}

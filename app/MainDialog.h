// The main dialog: split, merge or check, the file, the folder for what the job
// writes, the piece size, Start and Exit.
// The Start button and the size controls are enabled directly by the handlers; the
// form members below are what the Start command reads, with the folder field 保存到,
// which it reads as it stands and the job checks.
#pragma once

#include "app/TrayIcon.h"
#include "controls/HyperLink.h"
#include "engine/Job.h"
#include "framework/win32/Dialog.h"
#include "framework/portable/String.h"

#include <cstdint>
#include <optional>

class CMainDialog : public CDialog {
public:
    // strStartFile: a file handed over on the command line, taken as if dropped
    // once the dialog is open; strStartFolder: the folder after it, into the folder
    // field. Empty for none.
    explicit CMainDialog(CWnd* pParent = nullptr, CString strStartFile = CString(),
                         CString strStartFolder = CString());

    BOOL OnInitDialog() override;

    // The form. m_bSplitMode and m_mode are written together by the first mode
    // choice, which every way of enabling Start passes through; m_strPath follows the
    // path field only when browsing, dropping or starting.
    bool m_bSplitMode = false;   // true = split, false = merge or check
    JobKind m_mode = JobKind::Merge;  // the job Start runs
    int m_nSizeChoice = 0;       // 0 = none chosen, 1 = "32MB", 2 = "64MB", 3 = "其他" (the size field)
    int m_nPieceSizeK = 0;       // the piece size in thousands of bytes, set from PieceSizeFor
    CString m_strPath;           // the file to split, or piece 001 (or a record, to check) of a set

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Start: checks the form here, runs the job on a worker thread behind
    // the progress dialog, says how it ended once that dialog has gone, and leaves
    // this dialog open.
    void OnOK() override;
    // Sees every command first: the tray menu's three go to the icon, then all to the
    // base.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSize(UINT nType, int cx, int cy);
    // The icon's mouse messages and a restarted taskbar, for the icon.
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropFiles(WPARAM wParam, LPARAM lParam);
    void OnShowInstructions();

    void OnBrowse();
    void OnBrowseFolder();
    // The grey line under the folder field.
    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);
    void OnModeSplit();
    void OnModeMerge();
    void OnModeVerify();
    void OnPieceSize32MB();
    void OnPieceSize64MB();
    void OnPieceSizeOther();
    // A size chosen from the size field's list or typed into it.
    void OnSizeFieldChange();

    DECLARE_MESSAGE_MAP()

private:
    // The Start command's checks of the form, each with its box; the job they ask
    // for, or none when the command ends here.
    std::optional<CJobRequest> CheckForm();

    // Merge and check read a set that is there: no piece size, Start once there is a
    // path.
    void ChooseSetMode(int nID, JobKind mode, const char* pszStart);
    bool ModeChosen();
    void EnableSizeControls(BOOL bEnable);
    // 保存到 takes input while the job writes something: not for a check.
    void EnableTargetControls(BOOL bEnable);
    // The size field takes input only while its choice, 其他, is the one made.
    void EnableSizeField();
    // The piece size of the size chosen, in bytes, with m_nPieceSizeK set from it;
    // none after the size field's box.
    std::optional<std::uint64_t> ChosenPieceSize();
    // The box of a refused entry of the form or of the file-open dialog.
    void ShowFormError(const CString& strText);
    // Start is only ever enabled here; nothing disables it after the dialog opened.
    void EnableStart();
    // A file chosen outside the file-open dialog (dropped, or on the command line):
    // into the field and the form, a mode chosen by its name if none is yet, and
    // Start enabled as after a confirmed browse.
    void TakeFile(const CString& strPath);
    // A name dropped or handed over: a folder fills the folder field, anything else
    // is taken as the file.
    void TakeDropped(const CString& strPath);
    // After the field and m_strPath agree: Start once there is a path and a mode.
    void EnableStartForPath();

    CHyperLink m_linkMail;
    CHyperLink m_linkHome;
    CTrayIcon m_trayIcon{*this};
    HICON m_hIcon;
    const CString m_strStartFile;
    const CString m_strStartFolder;
};

// The main dialog: split or merge, the file, the piece size, Start and Exit.
// The Start button and the size controls are enabled directly by the handlers; the
// form it keeps (CSplitForm) is what the Start command reads.
#pragma once

#include "controls/HyperLink.h"
#include "engine/StartCommand.h"
#include "framework/win32/Dialog.h"
#include "framework/portable/String.h"

#include <shellapi.h>

// What the notification-area icon sends the dialog about the mouse.
#define WM_TRAY_NOTIFY (WM_USER + 1)

// The form's members (m_strPath, m_bSplitMode, m_nSizeChoice, m_nPieceSizeK) come
// from CSplitForm. m_bSplitMode is written by the first mode choice, which every way
// of enabling Start passes through; m_strPath follows the path field only when
// browsing or starting.
class CMainDialog : public CDialog, public CSplitForm, private IStartDialog {
public:
    explicit CMainDialog(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    // The one box function of both bases: the window's own.
    int MessageBox(const char* pszText, const char* pszCaption = nullptr,
                   unsigned nType = MB_OK) override;

    CHyperLink m_linkMail;
    CHyperLink m_linkHome;
    // The notification-area icon, filled at every minimise and passed again to
    // remove it.
    NOTIFYICONDATAA m_nid = {};
    // False only while the window is hidden behind the icon.
    bool m_bWindowShown = true;
    HICON m_hIcon;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Start: checks the form here, runs the split or merge on a worker thread behind
    // the progress dialog, and leaves the dialog open.
    void OnOK() override;
    // The saving data exchange, for the Start command.
    bool SaveForm() override;
    // Sees every command first: the tray menu's three.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OnShowInstructions();

    void OnBrowse();
    void OnModeSplit();
    void OnModeMerge();
    void OnPieceSize32MB();
    void OnPieceSize64MB();

    DECLARE_MESSAGE_MAP()

private:
    void EnableSizeControls(BOOL bEnable);
    // Start is only ever enabled here; nothing disables it after the dialog opened.
    void EnableStart();

    // Removes the icon and shows the window, unless it is shown already.
    void RestoreFromTray();
    // Sent to every top-level window when the taskbar (re)starts.
    const UINT m_nTaskbarCreatedMessage = ::RegisterWindowMessageA("TaskbarCreated");
};

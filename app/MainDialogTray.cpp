// The main dialog's notification-area icon, its window menus, the instructions
// button, and how it paints and drags while minimised.
#include "app/MainDialog.h"

#include "app/AboutDialog.h"
#include "app/InstructionsDialog.h"
#include "framework/win32/Menu.h"
#include "framework/win32/PaintDC.h"
#include "framework/win32/ShellNotify.h"
#include "framework/win32/WinApp.h"
#include "res/resource.h"

void CMainDialog::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUT_COMMAND) {
        CAboutDialog dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CMainDialog::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    int cxIcon = ::GetSystemMetrics(SM_CXICON);
    int cyIcon = ::GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    int x = (rect.Width() - cxIcon + 1) / 2;
    int y = (rect.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CMainDialog::OnQueryDragIcon()
{
    return m_hIcon;
}

void CMainDialog::OnSize(UINT nType, int cx, int cy)
{
    if (nType == SIZE_MAXIMIZED)
        return;
    if (nType != SIZE_MINIMIZED) {
        CDialog::OnSize(nType, cx, cy);
        return;
    }
    m_nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    m_nid.hWnd = m_hWnd;
    m_nid.uID = IDI_TRAY_ICON;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON;
    m_nid.uCallbackMessage = WM_TRAY_NOTIFY;
    m_nid.hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_TRAY_ICON));
    // Hidden without an icon, the window could never be brought back: it stays
    // minimised on the taskbar instead.
    if (!AfxShellNotifyIcon(NIM_ADD, &m_nid))
        return;
    ShowWindow(SW_HIDE);
    m_bWindowShown = false;
}

LRESULT CMainDialog::OnTrayNotify(WPARAM /*wParam*/, LPARAM lParam)
{
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDBLCLK:
        RestoreFromTray();
        break;
    case WM_RBUTTONDOWN: {
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, ID_TRAY_RESTORE, "恢复");
        menu.AppendMenu(MF_STRING, ID_TRAY_ABOUT, "关于");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, ID_TRAY_EXIT, "退出");
        POINT pt;
        ::GetCursorPos(&pt);
        SetForegroundWindow();
        menu.TrackPopupMenu(TPM_CENTERALIGN, pt.x, pt.y, this);
        break;
    }
    default:
        break;
    }
    return 0;
}

BOOL CMainDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case ID_TRAY_EXIT:
        AfxShellNotifyIcon(NIM_DELETE, &m_nid);
        DestroyWindow();
        break;
    case ID_TRAY_RESTORE:
        RestoreFromTray();
        break;
    case ID_TRAY_ABOUT: {
        CAboutDialog dlgAbout;
        dlgAbout.DoModal();
        break;
    }
    default:
        break;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CMainDialog::OnShowInstructions()
{
    CInstructionsDialog dlgInstructions;
    dlgInstructions.DoModal();
}

LRESULT CMainDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A restarted taskbar has forgotten the icon, the hidden window's only way back.
    // The message can also come while the icon is still there: then the add fails
    // and the icon answers to a modify. With no icon at all, the window comes back.
    if (message == m_nTaskbarCreatedMessage && m_nTaskbarCreatedMessage != 0 && !m_bWindowShown) {
        if (!AfxShellNotifyIcon(NIM_ADD, &m_nid) && !AfxShellNotifyIcon(NIM_MODIFY, &m_nid)) {
            ShowWindow(SW_SHOWNORMAL);
            m_bWindowShown = true;
        }
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CMainDialog::RestoreFromTray()
{
    if (m_bWindowShown)
        return;
    AfxShellNotifyIcon(NIM_DELETE, &m_nid);
    ShowWindow(SW_SHOWNORMAL);
    m_bWindowShown = true;
}

// The main dialog's system menu, its instructions button, how it paints and drags
// while minimised, and the messages it hands to its notification-area icon.
#include "app/MainDialog.h"

#include "app/AboutDialog.h"
#include "app/InstructionsDialog.h"
#include "framework/win32/PaintDC.h"
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

void CMainDialog::OnShowInstructions()
{
    CInstructionsDialog dlgInstructions;
    dlgInstructions.DoModal();
}

void CMainDialog::OnSize(UINT nType, int cx, int cy)
{
    if (nType == SIZE_MINIMIZED)
        m_trayIcon.HideWindow();
    else if (nType != SIZE_MAXIMIZED)
        CDialog::OnSize(nType, cx, cy);
}

LRESULT CMainDialog::OnTrayNotify(WPARAM /*wParam*/, LPARAM lParam)
{
    m_trayIcon.OnMouse(static_cast<UINT>(lParam));
    return 0;
}

LRESULT CMainDialog::OnTaskbarCreated(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_trayIcon.OnTaskbarCreated();
    return 0;
}

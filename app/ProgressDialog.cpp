#include "app/ProgressDialog.h"

#include "app/ProgressText.h"
#include "framework/win32/Rect.h"
#include "res/resource.h"

#include <commctrl.h>

namespace {

// Posted by the worker; WM_APP and up, clear of the dialog manager's own.
const UINT WM_JOB_ENDED = WM_APP + 1;

const UINT_PTR kTickTimer = 1;
const UINT kTickMs = 100;
// Jobs shorter than this end before the dialog shows, so they do not flash one.
const std::chrono::milliseconds kShowAfter(300);
const int kBarRange = 1000;

}  // namespace

BEGIN_MESSAGE_MAP(CProgressDialog, CDialog)
    ON_MESSAGE(WM_TIMER, &CProgressDialog::OnTimer)
    ON_MESSAGE(WM_JOB_ENDED, &CProgressDialog::OnJobEnded)
    ON_MESSAGE(WM_ENDSESSION, &CProgressDialog::OnEndSession)
END_MESSAGE_MAP()

CProgressDialog::CProgressDialog(CWnd& owner, const char* pszCaption, Job job)
    : CDialog(IDD_PROGRESS_DIALOG, &owner), m_owner(owner), m_strCaption(pszCaption), m_job(std::move(job))
{
    m_bShowOnOpen = false;
}

std::optional<CJobOutcome> CProgressDialog::Run()
{
    DoModal();
    if (!m_thread.Started()) {
        // No thread to be had: the job runs here, as it did before there were any.
        return m_job(m_progress);
    }
    // Also when the window went before the job ended.
    m_progress.Cancel();
    m_thread.Join();
    if (m_error)
        std::rethrow_exception(m_error);
    if (m_bSessionEnding)
        return std::nullopt;
    return m_outcome;
}

BOOL CProgressDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_strCaption.c_str());
    ::SendDlgItemMessageW(m_hWnd, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, kBarRange);
    CenterOverOwner();
    m_start = std::chrono::steady_clock::now();
    HWND hDialog = m_hWnd;
    if (!m_thread.Start([this, hDialog] { RunOnWorker(hDialog); })) {
        EndDialog(IDABORT);
        return TRUE;
    }
    ::SetTimer(m_hWnd, kTickTimer, kTickMs, nullptr);
    return TRUE;
}

void CProgressDialog::RunOnWorker(HWND hDialog)
{
    try {
        m_outcome = m_job(m_progress);
    } catch (...) {
        // Reported on the dialog's thread, where the framework reports every error.
        m_error = std::current_exception();
    }
    ::PostMessageW(hDialog, WM_JOB_ENDED, 0, 0);
}

void CProgressDialog::OnOK() {}

void CProgressDialog::OnCancel()
{
    m_progress.Cancel();
    GetDlgItem(IDCANCEL).EnableWindow(FALSE);
}

LRESULT CProgressDialog::OnTimer(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam != kTickTimer)
        return Default();
    ShowProgress();
    if (!IsWindowVisible() && std::chrono::steady_clock::now() - m_start >= kShowAfter)
        ShowWindow(SW_SHOWNORMAL);
    return 0;
}

LRESULT CProgressDialog::OnJobEnded(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    ::KillTimer(m_hWnd, kTickTimer);
    EndDialog(IDOK);
    return 0;
}

LRESULT CProgressDialog::OnEndSession(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam == FALSE)
        return 0;
    m_bSessionEnding = true;
    m_progress.Cancel();
    // The system ends the program when this returns: the job must have removed its
    // unfinished files by then.
    m_thread.Join();
    return 0;
}

void CProgressDialog::CenterOverOwner()
{
    CRect rcOwner;
    CRect rc;
    m_owner.GetWindowRect(&rcOwner);
    GetWindowRect(&rc);
    ::SetWindowPos(m_hWnd, nullptr, rcOwner.left + (rcOwner.Width() - rc.Width()) / 2,
                   rcOwner.top + (rcOwner.Height() - rc.Height()) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CProgressDialog::ShowProgress()
{
    const CString strFile = m_progress.GetFile();
    const std::uint64_t nDone = m_progress.GetDone();
    const std::uint64_t nTotal = m_progress.GetTotal();
    const double dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    SetItemText(IDC_PROGRESS_FILE, strFile);
    int nPos = nTotal == 0 ? 0 : static_cast<int>(nDone * kBarRange / nTotal);
    ::SendDlgItemMessageW(m_hWnd, IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(nPos), 0);
    SetItemText(IDC_PROGRESS_BYTES, FormatBytesDone(nDone, nTotal));
    SetItemText(IDC_PROGRESS_SPEED, FormatSpeed(nDone, dSeconds));
    SetItemText(IDC_PROGRESS_TIME, FormatTimeLeft(nDone, nTotal, dSeconds));
}

void CProgressDialog::SetItemText(int nID, const CString& strText)
{
    // Unchanged texts are not set again: each setting repaints.
    CString strShown;
    GetDlgItemText(nID, strShown);
    if (strShown != strText)
        SetDlgItemText(nID, strText.c_str());
}

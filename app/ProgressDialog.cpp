#include "app/ProgressDialog.h"

#include "app/ProgressText.h"
#include "framework/win32/Rect.h"
#include "res/resource.h"

#include <commctrl.h>

namespace {

// Posted and sent by the worker; WM_APP and up, clear of the dialog manager's own.
const UINT WM_JOB_BOX = WM_APP + 1;     // lParam: BoxRequest*
const UINT WM_JOB_ENDED = WM_APP + 2;

const UINT_PTR kTickTimer = 1;
const UINT kTickMs = 100;
// Jobs shorter than this end before the dialog shows, so they do not flash one.
const std::chrono::milliseconds kShowAfter(300);
const int kBarRange = 1000;

struct BoxRequest {
    const char* pszText;
    const char* pszCaption;
    unsigned nType;
    int nResult;
};

}  // namespace

// The job's boxes: sent to the dialog, whose thread shows them while the worker waits.
class CProgressDialog::CWorkerBoxes final : public IMessageOwner {
public:
    explicit CWorkerBoxes(HWND hDialog) : m_hDialog(hDialog) {}

    int MessageBox(const char* pszText, const char* pszCaption, unsigned nType) override
    {
        BoxRequest request = {pszText, pszCaption, nType, IDOK};
        ::SendMessageW(m_hDialog, WM_JOB_BOX, 0, reinterpret_cast<LPARAM>(&request));
        return request.nResult;
    }

private:
    HWND m_hDialog;
};

BEGIN_MESSAGE_MAP(CProgressDialog, CDialog)
    ON_MESSAGE(WM_TIMER, &CProgressDialog::OnTimer)
    ON_MESSAGE(WM_JOB_BOX, &CProgressDialog::OnJobBox)
    ON_MESSAGE(WM_JOB_ENDED, &CProgressDialog::OnJobEnded)
    ON_MESSAGE(WM_ENDSESSION, &CProgressDialog::OnEndSession)
END_MESSAGE_MAP()

CProgressDialog::CProgressDialog(CWnd& owner, const char* pszCaption, Job job)
    : CDialog(IDD_PROGRESS_DIALOG, &owner), m_owner(owner), m_strCaption(pszCaption), m_job(std::move(job))
{
    m_bShowOnOpen = false;
}

JobResult CProgressDialog::Run()
{
    DoModal();
    if (!m_thread.Started()) {
        // No thread to be had: the job runs here, as it did before there were any.
        return m_job(m_owner, *this);
    }
    // Also when the window went before the job ended.
    m_bCancel = true;
    m_thread.Join();
    if (m_error)
        std::rethrow_exception(m_error);
    return m_result;
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
    CWorkerBoxes boxes(hDialog);
    try {
        m_result = m_job(boxes, *this);
    } catch (...) {
        // Reported on the dialog's thread, where the framework reports every error.
        m_error = std::current_exception();
    }
    ::PostMessageW(hDialog, WM_JOB_ENDED, 0, 0);
}

void CProgressDialog::OnOK() {}

void CProgressDialog::OnCancel()
{
    m_bCancel = true;
    GetDlgItem(IDCANCEL).EnableWindow(FALSE);
}

void CProgressDialog::OnFile(const std::string& strPath, std::uint64_t nJobBytes)
{
    std::lock_guard<std::mutex> lock(m_fileMutex);
    m_strFile = strPath;
    m_nTotal = nJobBytes;
}

bool CProgressDialog::OnStep(std::uint64_t nDone)
{
    m_nDone = nDone;
    return m_bCancel;
}

LRESULT CProgressDialog::OnTimer(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam != kTickTimer)
        return Default();
    ShowProgress();
    // Never over a box of the job; after it, only if the job goes on.
    if (!IsWindowVisible() && !m_bBoxOnScreen && std::chrono::steady_clock::now() - m_start >= kShowAfter)
        ShowWindow(SW_SHOWNORMAL);
    return 0;
}

LRESULT CProgressDialog::OnJobBox(WPARAM /*wParam*/, LPARAM lParam)
{
    auto* pRequest = reinterpret_cast<BoxRequest*>(lParam);
    // Nobody is there to read it; the job is told OK.
    if (m_bSessionEnding)
        return 0;
    // The box is modal to the owner only; 取消 waits until it is closed.
    EnableWindow(FALSE);
    m_bBoxOnScreen = true;
    pRequest->nResult = m_owner.MessageBox(pRequest->pszText, pRequest->pszCaption, pRequest->nType);
    m_bBoxOnScreen = false;
    EnableWindow(TRUE);
    if (IsWindowVisible())
        ::SetActiveWindow(m_hWnd);
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
    m_bCancel = true;
    // The system ends the program when this returns: the job must have removed its
    // unfinished files by then. A box on the screen is the job's last word, with
    // nothing unfinished left, and the worker waits for it below this handler.
    if (!m_bBoxOnScreen)
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
    CString strFile;
    {
        std::lock_guard<std::mutex> lock(m_fileMutex);
        strFile = m_strFile;
    }
    const std::uint64_t nTotal = m_nTotal;
    const std::uint64_t nDone = m_nDone;
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

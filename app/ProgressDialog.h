// The progress of a split or merge, as a modal dialog owned by the main dialog while
// the job runs on a worker thread. The dialog shows itself only when the job lasts;
// 取消, Esc and its close box ask the job to stop, and so does the end of the
// session, which waits for the job before the program goes. The job shows nothing:
// its outcome comes back to the caller once the dialog has gone.
#pragma once

#include "app/JobThread.h"
#include "engine/JobOutcome.h"
#include "engine/ProgressSync.h"
#include "framework/win32/Dialog.h"

#include <chrono>
#include <exception>
#include <functional>
#include <optional>

class CProgressDialog : public CDialog {
public:
    // Runs on the worker.
    using Job = std::function<CJobOutcome(IJobProgress& progress)>;

    CProgressDialog(CWnd& owner, const char* pszCaption, Job job);

    // Runs the job behind the dialog and returns its outcome once the worker ended
    // and the dialog has gone; none when the session ended meanwhile, with nobody
    // left to tell. What escaped the job is thrown again here, on this thread.
    std::optional<CJobOutcome> Run();

protected:
    BOOL OnInitDialog() override;
    // Enter does not end a job.
    void OnOK() override;
    void OnCancel() override;

    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    LRESULT OnJobEnded(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void RunOnWorker(HWND hDialog);
    void CenterOverOwner();
    void ShowProgress();
    void SetItemText(int nID, const CString& strText);

    CWnd& m_owner;
    const CString m_strCaption;
    const Job m_job;
    CJobThread m_thread;
    // Written by the worker, read once it ended.
    CJobOutcome m_outcome;
    std::exception_ptr m_error;
    // Written by the worker, read by the timer; 取消 asks through it.
    CProgressSync m_progress;

    std::chrono::steady_clock::time_point m_start;
    bool m_bSessionEnding = false;
};

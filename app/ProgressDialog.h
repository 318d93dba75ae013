// The progress of a split or merge, as a modal dialog owned by the main dialog while
// the job runs on a worker thread. The dialog shows itself only when the job lasts;
// 取消, Esc and its close box ask the job to stop, and so does the end of the
// session, which waits for the job before the program goes.
#pragma once

#include "app/JobThread.h"
#include "engine/JobProgress.h"
#include "framework/win32/Dialog.h"

#include <atomic>
#include <chrono>
#include <exception>
#include <functional>
#include <mutex>
#include <string>

class CProgressDialog : public CDialog, private IJobProgress {
public:
    // Runs on the worker; its boxes go to owner, shown by the dialog's thread.
    using Job = std::function<JobResult(IMessageOwner& owner, IJobProgress& progress)>;

    CProgressDialog(CWnd& owner, const char* pszCaption, Job job);

    // Runs the job behind the dialog and returns its result once the worker ended;
    // what escaped the job is thrown again here, on the dialog's thread.
    JobResult Run();

protected:
    BOOL OnInitDialog() override;
    // Enter does not end a job.
    void OnOK() override;
    void OnCancel() override;

    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    LRESULT OnJobBox(WPARAM wParam, LPARAM lParam);
    LRESULT OnJobEnded(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    class CWorkerBoxes;

    // Called on the worker.
    void OnFile(const std::string& strPath, std::uint64_t nJobBytes) override;
    bool OnStep(std::uint64_t nDone) override;

    void RunOnWorker(HWND hDialog);
    void CenterOverOwner();
    void ShowProgress();
    void SetItemText(int nID, const CString& strText);

    CWnd& m_owner;
    const CString m_strCaption;
    const Job m_job;
    CJobThread m_thread;
    JobResult m_result = JobResult::Failed;
    std::exception_ptr m_error;

    // Written by the worker, read by the timer.
    std::atomic<bool> m_bCancel{false};
    std::atomic<std::uint64_t> m_nDone{0};
    std::atomic<std::uint64_t> m_nTotal{0};
    std::mutex m_fileMutex;
    std::string m_strFile;  // guarded by m_fileMutex

    std::chrono::steady_clock::time_point m_start;
    bool m_bBoxOnScreen = false;
    bool m_bSessionEnding = false;
};

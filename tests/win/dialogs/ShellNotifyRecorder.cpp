#include "tests/win/dialogs/ShellNotifyRecorder.h"

#include <algorithm>
#include <cstring>

namespace {
ShellNotifyRecorder* g_pShellRecorder = nullptr;
}

ShellNotifyRecorder::ShellNotifyRecorder() : m_pfnPrevious(AfxSetShellNotifyIconHook(&Hook))
{
    g_pShellRecorder = this;
}

ShellNotifyRecorder::~ShellNotifyRecorder()
{
    AfxSetShellNotifyIconHook(m_pfnPrevious);
    g_pShellRecorder = nullptr;
}

void ShellNotifyRecorder::AnswerWith(BOOL answer)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_answer = answer;
}

std::vector<ShellNotifyRecorder::Call> ShellNotifyRecorder::Calls() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_calls;
}

BOOL ShellNotifyRecorder::Hook(DWORD dwMessage, NOTIFYICONDATAA* pnid)
{
    ShellNotifyRecorder* self = g_pShellRecorder;
    Call call = {dwMessage, {}, FALSE};
    std::memcpy(&call.record, pnid, (std::min)(std::size_t{pnid->cbSize}, sizeof(call.record)));

    std::optional<BOOL> answer;
    {
        std::lock_guard<std::mutex> lock(self->m_mutex);
        answer = self->m_answer;
    }
    // The shell is asked outside the lock: it may send messages back to the window.
    call.result = answer ? *answer : ::Shell_NotifyIconA(dwMessage, pnid);

    std::lock_guard<std::mutex> lock(self->m_mutex);
    self->m_calls.push_back(call);
    return call.result;
}

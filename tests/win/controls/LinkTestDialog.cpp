#include "tests/win/controls/LinkTestDialog.h"

#include <utility>

namespace {
const UINT WM_RUN_BODY = WM_APP + 1;
}

BEGIN_MESSAGE_MAP(CLinkTestDialog, CDialog)
    ON_MESSAGE(WM_RUN_BODY, &CLinkTestDialog::OnRunBody)
END_MESSAGE_MAP()

CLinkTestDialog::CLinkTestDialog(std::function<void(CLinkTestDialog&)> body)
    : CDialog(IDD_LINK_TEST), m_body(std::move(body))
{
}

BOOL CLinkTestDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::PostMessageW(m_hWnd, WM_RUN_BODY, 0, 0);
    return TRUE;
}

LRESULT CLinkTestDialog::OnRunBody(WPARAM, LPARAM)
{
    m_body(*this);
    EndDialog(IDOK);
    return 0;
}

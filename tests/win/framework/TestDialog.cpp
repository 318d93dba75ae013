#include "tests/win/framework/TestDialog.h"

namespace {
const UINT kRunScript = WM_APP + 100;
const UINT_PTR kWatchdogTimer = 77;
}

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
    ON_MESSAGE(kRunScript, &CTestDialog::OnRunScript)
    ON_MESSAGE(WM_TIMER, &CTestDialog::OnTimer)
END_MESSAGE_MAP()

CTestDialog::CTestDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

BOOL CTestDialog::OnInitDialog()
{
    BOOL bResult = CDialog::OnInitDialog();
    ::PostMessageW(m_hWnd, kRunScript, 0, 0);
    // A failed expectation must not leave the test waiting for a dialog forever.
    ::SetTimer(m_hWnd, kWatchdogTimer, 20000, nullptr);
    return bResult;
}

void CTestDialog::DoDataExchange(CDataExchange* pDX)
{
    if (exchange)
        exchange(pDX);
}

LRESULT CTestDialog::OnRunScript(WPARAM, LPARAM)
{
    if (script)
        script(*this);
    return 0;
}

LRESULT CTestDialog::OnTimer(WPARAM wParam, LPARAM)
{
    if (wParam == kWatchdogTimer)
        EndDialog(kWatchdogResult);
    return 0;
}

void CTestDialog::ExchangeEditOfAtMost(CString& strValue, int nMaxChars)
{
    exchange = [&strValue, nMaxChars](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_EDIT, strValue);
        DDV_MaxChars(pDX, strValue, nMaxChars);
    };
}

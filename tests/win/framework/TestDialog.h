// A dialog that runs a test's script inside its own modal loop, once it is up.
#pragma once

#include "framework/win32/DataExchange.h"
#include "framework/win32/Dialog.h"
#include "tests/win/framework/TestResource.h"

#include <functional>

class CTestDialog : public CDialog {
public:
    // The result DoModal gives when the watchdog ended a dialog that a test left open.
    static constexpr int kWatchdogResult = -77;

    explicit CTestDialog(UINT nIDTemplate = IDD_TEST, CWnd* pParentWnd = nullptr);

    // Runs from a message posted by OnInitDialog, so inside the modal loop.
    std::function<void(CTestDialog&)> script;
    // Runs inside DoDataExchange.
    std::function<void(CDataExchange*)> exchange;

    // Exchanges IDC_EDIT with strValue, refusing text longer than nMaxChars.
    void ExchangeEditOfAtMost(CString& strValue, int nMaxChars);

    using CDialog::OnCancel;
    using CDialog::OnOK;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT OnRunScript(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};

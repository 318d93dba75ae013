// Identifiers of the link test dialog, and the dialog that runs a test inside its own
// modal loop.
#pragma once

#define IDD_LINK_TEST 200
#define IDC_LINK_LEFT 201
#define IDC_LINK_RIGHT 202
#define IDC_LINK_CENTER 203
#define IDC_LINK_EMPTY 205
#define IDC_EDIT_ELSEWHERE 207

#ifndef RC_INVOKED
#include "framework/win32/Dialog.h"

#include <functional>

// Shows the test dialog and runs body once it is up, from within the dialog's modal
// loop; the dialog ends when body returns.
class CLinkTestDialog : public CDialog {
public:
    explicit CLinkTestDialog(std::function<void(CLinkTestDialog&)> body);

protected:
    BOOL OnInitDialog() override;
    LRESULT OnRunBody(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::function<void(CLinkTestDialog&)> m_body;
};
#endif

// Shows the fixed instructions text. The text can be edited in the dialog, but
// nothing keeps the changes: every showing starts from the fixed text again.
#pragma once

#include "framework/win32/Dialog.h"
#include "framework/portable/String.h"

class CInstructionsDialog : public CDialog {
public:
    explicit CInstructionsDialog(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

    // What the edit control held when the dialog was confirmed.
    CString m_strInstructions;

    // The text shown: UTF-8, CR LF after every line including the last.
    static const char s_szText[];

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};

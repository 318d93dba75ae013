// The About box: the program's name and version. Everything it does is the
// framework's default for a dialog template.
#pragma once

#include "framework/win32/Dialog.h"

class CAboutDialog : public CDialog {
public:
    CAboutDialog();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};

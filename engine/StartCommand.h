// The Start button: checks the form, then splits or merges and reports the result.
#pragma once

#include "framework/MessageOwner.h"
#include "framework/String.h"

// The form the main dialog keeps for the Start command.
struct CSplitForm {
    CString m_strPath;           // file to split, or piece 001 to merge from
    bool m_bSplitMode = false;   // true = split, false = merge
    int m_nSizeChoice = 0;       // 0 = none chosen, 1 = "32MB", 2 = "64MB"
    int m_nPieceSizeK = 0;       // piece size in thousands of bytes
};

// What the Start command needs of the main dialog besides its boxes.
class IStartDialog : public IMessageOwner {
public:
    // The text of the path field IDC_PATH.
    virtual CString GetPathText() = 0;
    // The dialog's data exchange; true saves the controls into the form.
    virtual bool UpdateData(bool bSaveAndValidate) = 0;

protected:
    ~IStartDialog() = default;
};

void RunStartCommand(IStartDialog& dialog, CSplitForm& form);

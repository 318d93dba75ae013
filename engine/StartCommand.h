// The Start button: checks the form, then splits or merges and reports the result.
// The checks run where the form lives; the job may run on a thread of its own.
#pragma once

#include "engine/JobProgress.h"
#include "framework/portable/MessageOwner.h"
#include "framework/portable/String.h"

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
    // The saving data exchange into the form; false after its over-length box.
    virtual bool SaveForm() = 0;

protected:
    ~IStartDialog() = default;
};

// Everything before the job: takes strFieldText (the path field's text) into the
// form, checks it and sets the piece size. False when the command ends here.
bool PrepareStartJob(IStartDialog& dialog, CSplitForm& form, const CString& strFieldText);

// The job of a prepared form and its completion box. pProgress may be null. File
// errors while bytes are copied propagate as CFileException.
JobResult RunStartJob(IMessageOwner& owner, const CSplitForm& form, IJobProgress* pProgress);

// The whole command on one thread: PrepareStartJob, then RunStartJob.
JobResult RunStartCommand(IStartDialog& dialog, CSplitForm& form, const CString& strFieldText,
                          IJobProgress* pProgress = nullptr);

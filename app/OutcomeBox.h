// How the main dialog says a job's outcome: the text, caption, icon and buttons of
// its box. Portable, so it builds and is tested without Windows headers.
#pragma once

#include "engine/JobOutcome.h"
#include "framework/portable/String.h"

// Box types with the values of the Win32 MB_ flags they stand for.
enum : unsigned {
    kBoxPlain = 0x00,
    kBoxYesNo = 0x04,
    kBoxExclamation = 0x30,
    kBoxInformation = 0x40,
    kBoxDefaultSecond = 0x100,
};

struct COutcomeBox {
    CString strText;
    const char* pszCaption;   // null: the application's title
    unsigned nType;
};

// An outcome that asks (JobEnd::Asks) gets Yes and No, No the default: the job runs
// again, allowed to go on, only on Yes.
COutcomeBox MakeOutcomeBox(const CJobOutcome& outcome);

// The caption of a running job's progress dialog, and of most of its boxes.
const char* JobCaption(JobKind kind);

// How the main dialog says a job's outcome: the text, caption and icon of its box.
// Portable, so it builds and is tested without Windows headers.
#pragma once

#include "engine/JobOutcome.h"
#include "framework/portable/String.h"

// Box types with the values of the Win32 MB_ flags they stand for.
enum : unsigned {
    kBoxPlain = 0x00,
    kBoxExclamation = 0x30,
    kBoxInformation = 0x40,
};

struct COutcomeBox {
    CString strText;
    const char* pszCaption;   // null: the application's title
    unsigned nType;
};

COutcomeBox MakeOutcomeBox(const CJobOutcome& outcome);

// The caption of a running job's progress dialog, and of most of its boxes.
const char* JobCaption(JobKind kind);

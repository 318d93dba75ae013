// What the dialog tests share: texts of other threads' windows, waiting for a
// condition from the driving thread, and the text lines of the instructions.
#pragma once

#include "framework/String.h"
#include "framework/Win32.h"

#include <functional>
#include <vector>

namespace dlgtest {

// The whole text of a window of any thread of this process, however long.
CString FullText(HWND hWnd);

// Polls cond (sleeping, for a thread that drives another one) until it holds or
// timeoutMs passed; returns cond().
bool WaitFor(const std::function<bool()>& cond, DWORD timeoutMs = 5000);

// The lines of text, each of which must end with CR LF; false when one does not or
// when a lone CR or LF appears.
bool SplitCrLfLines(const CString& text, std::vector<CString>& lines);

// Line nLine (from 0) of a multi-line edit control as the control breaks it.
CString EditLine(HWND hEdit, int nLine);

}  // namespace dlgtest

// Dialog data exchange: DoDataExchange moves values between members and controls,
// in either direction (m_bSaveAndValidate). A failed validation reports itself, puts
// the focus on the control and makes UpdateData return FALSE.
#pragma once

#include "framework/portable/String.h"
#include "framework/win32/Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
    CDataExchange(const CDataExchange&) = delete;
    CDataExchange& operator=(const CDataExchange&) = delete;

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* m_pDlgWnd;

    // The dialog's control nIDC, remembered as the one a failure points at. A missing
    // control is a mismatch between code and template: std::logic_error.
    HWND PrepareCtrl(int nIDC);
    // As PrepareCtrl, for an edit control, whose text a failure selects.
    HWND PrepareEditCtrl(int nIDC);
    // After the failure has been reported: focus (and selection) on the last
    // prepared control, then leave DoDataExchange for UpdateData.
    [[noreturn]] void Fail();

    HWND m_hWndLastControl = nullptr;
    bool m_bEditLastControl = false;
};

// Thrown by CDataExchange::Fail, caught by UpdateData.
class CUserException {};

// Text of control nIDC, both ways; value is UTF-8.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Towards the controls: the last prepared edit takes at most nChars characters,
// counted in UTF-16 units as the edit control counts (a character outside the Basic
// Multilingual Plane takes two). When saving: a longer value is refused with the
// framework's over-length message.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
// Subclasses control nIDC with rControl the first time (calls its PreSubclassWindow).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

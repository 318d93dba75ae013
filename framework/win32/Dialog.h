// Modal dialogs from templates, run by the framework's own modal loop so that
// PreTranslateMessage of the window under a message, and of its parents up to the
// dialog, runs before IsDialogMessage.
#pragma once

#include "framework/win32/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Creates the dialog from its template with the parent as owner (or else the
    // application's main window, unless that is this dialog), disables the owner and
    // runs the modal loop. Returns the EndDialog value; -1 when the dialog could not
    // be created, or when its window was destroyed (DestroyWindow) or WM_QUIT
    // arrived before EndDialog. The owner is enabled again before the window goes.
    virtual INT_PTR DoModal();
    // Ends the modal loop once the current message has been handled.
    void EndDialog(int nResult);

    // The first data exchange (UpdateData(FALSE)); TRUE lets the dialog manager put
    // the focus on the first tab stop.
    virtual BOOL OnInitDialog();

protected:
    // IDOK: UpdateData(TRUE), and EndDialog(IDOK) when it succeeded.
    virtual void OnOK();
    // IDCANCEL, which Esc and the close box send too: EndDialog(IDCANCEL).
    virtual void OnCancel();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // False: DoModal leaves a template without WS_VISIBLE hidden, and the dialog
    // shows itself when it has something to show.
    bool m_bShowOnOpen = true;

    DECLARE_MESSAGE_MAP()

private:
    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);

    HWND ChooseOwner() const;
    void RunModalLoop();
    // PreTranslateMessage of pMsg's window and its parents, stopping at the dialog.
    BOOL WalkPreTranslateTree(MSG* pMsg);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    INT_PTR m_nModalResult = -1;
    bool m_bInModalLoop = false;
    bool m_bEndModal = false;
};

// The dialog procedure of every framework dialog: subclasses on WM_INITDIALOG.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

#include "app/SplitterApp.h"

#include "app/MainDialog.h"

BOOL CSplitterApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();

    CMainDialog dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    return FALSE;
}

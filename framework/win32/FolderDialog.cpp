// The shell declares SHCreateItemFromParsingName (Vista's, like the picker itself)
// only for IE 7 headers; the rest of the program keeps its older structures.
#undef _WIN32_IE
#define _WIN32_IE 0x0700

#include "framework/win32/FolderDialog.h"

#include "framework/portable/Utf16.h"
#include "framework/win32/WinApp.h"

#include <shobjidl.h>

#include <cwchar>
#include <utility>

namespace {

// Owns one reference to a COM object.
template <class T>
class CComRef {
public:
    CComRef() = default;
    ~CComRef()
    {
        if (m_p != nullptr)
            m_p->Release();
    }
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;

    T* operator->() const { return m_p; }
    T** Out() { return &m_p; }
    void** OutVoid() { return reinterpret_cast<void**>(&m_p); }

private:
    T* m_p = nullptr;
};

// The picker needs COM in this thread's single-threaded apartment for as long as it
// runs; a thread that already has it keeps it.
class CComApartment {
public:
    CComApartment() : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~CComApartment()
    {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;

private:
    HRESULT m_hr;
};

} // namespace

CFolderDialog::CFolderDialog(CString strInitialFolder, CWnd* pParentWnd)
    : m_strInitialFolder(std::move(strInitialFolder)), m_pParentWnd(pParentWnd)
{
}

INT_PTR CFolderDialog::DoModal()
{
    m_strFolder.clear();
    m_hrError = S_OK;
    HWND hOwner = nullptr;
    if (m_pParentWnd != nullptr)
        hOwner = m_pParentWnd->m_hWnd;
    else if (CWnd* pMain = AfxGetMainWnd())
        hOwner = pMain->m_hWnd;

    CComApartment apartment;
    CComRef<IFileOpenDialog> dialog;
    HRESULT hr = ::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                    dialog.OutVoid());
    FILEOPENDIALOGOPTIONS nOptions = 0;
    if (SUCCEEDED(hr))
        hr = dialog->GetOptions(&nOptions);
    if (SUCCEEDED(hr))
        hr = dialog->SetOptions(nOptions | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    if (SUCCEEDED(hr) && !m_strInitialFolder.empty()) {
        // A field that names no folder only loses its say over where the picker opens.
        CComRef<IShellItem> initial;
        if (SUCCEEDED(::SHCreateItemFromParsingName(Widen(m_strInitialFolder).c_str(), nullptr, IID_IShellItem,
                                                    initial.OutVoid())))
            dialog->SetFolder(initial.operator->());
    }
    if (SUCCEEDED(hr))
        hr = dialog->Show(hOwner);
    if (hr == HRESULT_FROM_WIN32(ERROR_CANCELLED))
        return IDCANCEL;
    CComRef<IShellItem> chosen;
    if (SUCCEEDED(hr))
        hr = dialog->GetResult(chosen.Out());
    wchar_t* pszPath = nullptr;
    if (SUCCEEDED(hr))
        hr = chosen->GetDisplayName(SIGDN_FILESYSPATH, &pszPath);
    if (FAILED(hr)) {
        m_hrError = hr;
        return IDCANCEL;
    }
    m_strFolder = Narrow(pszPath, std::wcslen(pszPath));
    ::CoTaskMemFree(pszPath);
    return IDOK;
}

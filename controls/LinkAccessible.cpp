// What a link answers of itself; the rest is the system's object for its window.
#include "controls/LinkAccessible.h"


#include <string>

namespace {

const wchar_t kOpenAction[] = L"打开";

HRESULT ReturnText(const std::wstring& text, BSTR* pText)
{
    *pText = nullptr;
    if (text.empty())
        return S_FALSE;
    *pText = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *pText != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnLong(LONG nValue, VARIANT* pVar)
{
    pVar->vt = VT_I4;
    pVar->lVal = nValue;
    return S_OK;
}

}  // namespace

const IID CLinkAccessible::s_iid = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

CLinkAccessible* CLinkAccessible::Create(HWND hLink, const BOOL* pbOpened)
{
    void* pSystem = nullptr;
    if (FAILED(::CreateStdAccessibleObject(hLink, OBJID_CLIENT, s_iid, &pSystem)))
        return nullptr;
    return new CLinkAccessible(hLink, pbOpened, static_cast<IAccessible*>(pSystem));
}

bool CLinkAccessible::IsOurs(const VARIANT& varChild) const
{
    return m_hLink != nullptr && ::IsWindow(m_hLink) && varChild.vt == VT_I4 &&
        varChild.lVal == CHILDID_SELF;
}

HRESULT CLinkAccessible::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == s_iid) {
        *ppv = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CLinkAccessible::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs));
}

ULONG CLinkAccessible::Release()
{
    LONG nRefs = ::InterlockedDecrement(&m_nRefs);
    if (nRefs == 0)
        delete this;
    return static_cast<ULONG>(nRefs);
}

HRESULT CLinkAccessible::GetTypeInfoCount(UINT* pctinfo)
{
    *pctinfo = 0;
    return S_OK;
}

HRESULT CLinkAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT CLinkAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT CLinkAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

HRESULT CLinkAccessible::get_accName(VARIANT varChild, BSTR* pszName)
{
    if (!IsOurs(varChild))
        return m_pSystem->get_accName(varChild, pszName);
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(m_hLink)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(m_hLink, &text[0], static_cast<int>(text.size()))));
    return ReturnText(text, pszName);
}

HRESULT CLinkAccessible::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (!IsOurs(varChild))
        return m_pSystem->get_accRole(varChild, pvarRole);
    return ReturnLong(ROLE_SYSTEM_LINK, pvarRole);
}

HRESULT CLinkAccessible::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    if (!IsOurs(varChild))
        return m_pSystem->get_accState(varChild, pvarState);
    // Hidden, disabled and off screen are the window's, as the system tells them.
    LONG nState = 0;
    VARIANT varSystem;
    varSystem.vt = VT_EMPTY;
    if (SUCCEEDED(m_pSystem->get_accState(varChild, &varSystem)) && varSystem.vt == VT_I4)
        nState = varSystem.lVal & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_OFFSCREEN);
    nState |= STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED;
    if (::GetFocus() == m_hLink)
        nState |= STATE_SYSTEM_FOCUSED;
    if (*m_pbOpened)
        nState |= STATE_SYSTEM_TRAVERSED;
    return ReturnLong(nState, pvarState);
}

HRESULT CLinkAccessible::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (!IsOurs(varChild))
        return m_pSystem->get_accDefaultAction(varChild, pszDefaultAction);
    return ReturnText(kOpenAction, pszDefaultAction);
}

HRESULT CLinkAccessible::accDoDefaultAction(VARIANT varChild)
{
    if (!IsOurs(varChild))
        return m_pSystem->accDoDefaultAction(varChild);
    // Posted: a box saying why the link did not open must not hold up the caller.
    return ::PostMessageW(m_hLink, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
}

HRESULT CLinkAccessible::get_accParent(IDispatch** ppdispParent)
{
    return m_pSystem->get_accParent(ppdispParent);
}

HRESULT CLinkAccessible::get_accChildCount(LONG* pcountChildren)
{
    return m_pSystem->get_accChildCount(pcountChildren);
}

HRESULT CLinkAccessible::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    return m_pSystem->get_accChild(varChild, ppdispChild);
}

HRESULT CLinkAccessible::get_accValue(VARIANT varChild, BSTR* pszValue)
{
    return m_pSystem->get_accValue(varChild, pszValue);
}

HRESULT CLinkAccessible::get_accDescription(VARIANT varChild, BSTR* pszDescription)
{
    return m_pSystem->get_accDescription(varChild, pszDescription);
}

HRESULT CLinkAccessible::get_accHelp(VARIANT varChild, BSTR* pszHelp)
{
    return m_pSystem->get_accHelp(varChild, pszHelp);
}

HRESULT CLinkAccessible::get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, LONG* pidTopic)
{
    return m_pSystem->get_accHelpTopic(pszHelpFile, varChild, pidTopic);
}

HRESULT CLinkAccessible::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut)
{
    return m_pSystem->get_accKeyboardShortcut(varChild, pszKeyboardShortcut);
}

HRESULT CLinkAccessible::get_accFocus(VARIANT* pvarChild)
{
    return m_pSystem->get_accFocus(pvarChild);
}

HRESULT CLinkAccessible::get_accSelection(VARIANT* pvarChildren)
{
    return m_pSystem->get_accSelection(pvarChildren);
}

HRESULT CLinkAccessible::accSelect(LONG flagsSelect, VARIANT varChild)
{
    return m_pSystem->accSelect(flagsSelect, varChild);
}

HRESULT CLinkAccessible::accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight, VARIANT varChild)
{
    return m_pSystem->accLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
}

HRESULT CLinkAccessible::accNavigate(LONG navDir, VARIANT varStart, VARIANT* pvarEndUpAt)
{
    return m_pSystem->accNavigate(navDir, varStart, pvarEndUpAt);
}

HRESULT CLinkAccessible::accHitTest(LONG xLeft, LONG yTop, VARIANT* pvarChild)
{
    return m_pSystem->accHitTest(xLeft, yTop, pvarChild);
}

HRESULT CLinkAccessible::put_accName(VARIANT varChild, BSTR szName)
{
    return m_pSystem->put_accName(varChild, szName);
}

HRESULT CLinkAccessible::put_accValue(VARIANT varChild, BSTR szValue)
{
    return m_pSystem->put_accValue(varChild, szValue);
}

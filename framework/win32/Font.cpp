#include "framework/win32/Font.h"

CFont& CFont::operator=(CFont&& other) noexcept
{
    if (this != &other)
        Attach(other.Detach());
    return *this;
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont)
{
    return Attach(::CreateFontIndirectA(lpLogFont));
}

BOOL CFont::Attach(HFONT hFont)
{
    if (hFont == m_hObject)
        return hFont != nullptr;
    DeleteObject();
    m_hObject = hFont;
    return hFont != nullptr;
}

HFONT CFont::Detach()
{
    HFONT hFont = m_hObject;
    m_hObject = nullptr;
    return hFont;
}

BOOL CFont::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CFont::GetLogFont(LOGFONTA* pLogFont) const
{
    return ::GetObjectA(m_hObject, sizeof(LOGFONTA), pLogFont);
}

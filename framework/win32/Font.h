// Owns a GDI font.
#pragma once

#include "framework/win32/Win32.h"

class CFont {
public:
    CFont() = default;
    ~CFont() { DeleteObject(); }
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    CFont(CFont&& other) noexcept : m_hObject(other.Detach()) {}
    CFont& operator=(CFont&& other) noexcept;

    // Replaces the font held so far. FALSE when the font could not be made.
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont);
    // Takes ownership of hFont, deleting the font held so far. FALSE for null.
    BOOL Attach(HFONT hFont);
    HFONT Detach();
    BOOL DeleteObject();
    int GetLogFont(LOGFONTA* pLogFont) const;

    HFONT GetSafeHandle() const { return m_hObject; }
    operator HFONT() const { return m_hObject; }

private:
    HFONT m_hObject = nullptr;
};

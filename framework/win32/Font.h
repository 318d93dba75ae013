// Owns a GDI font.
#pragma once

#include "framework/win32/Handle.h"

struct FontTraits {
    using Handle = HFONT;
    static void Free(HFONT hFont) { ::DeleteObject(hFont); }
};

class CFont : public CHandle<FontTraits> {
public:
    using CHandle::CHandle;

    // Replaces the font held so far. FALSE when the font could not be made.
    BOOL CreateFontIndirect(const LOGFONTW* lpLogFont) { return Attach(::CreateFontIndirectW(lpLogFont)); }
    BOOL DeleteObject() { return Free(); }
    HFONT GetSafeHandle() const { return Get(); }
};

// The window that owns the engine's message boxes. The engine reports through this
// alone, so it builds without Windows headers; CWnd implements it on Windows.
#pragma once

// Box types, with the values of the Win32 MB_* flags they stand for.
enum : unsigned {
    BOX_OK = 0x00,
    BOX_ICONSTOP = 0x10,
    BOX_ICONEXCLAMATION = 0x30,
    BOX_ICONINFORMATION = 0x40,
};

class IMessageOwner {
public:
    // Shows a modal box owned by this window; returns the button pressed.
    // A null caption asks for the framework's default caption.
    virtual int MessageBox(const char* pszText, const char* pszCaption, unsigned nType) = 0;

protected:
    ~IMessageOwner() = default;
};

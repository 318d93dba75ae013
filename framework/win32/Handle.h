// Owners of one system object each (a font, a menu): CHandle<Traits> frees what it
// holds exactly once, in the destructor or when it takes another; it moves, never
// copies. Traits gives the handle type and the function that frees it:
//     struct Traits { using Handle = HFONT; static void Free(HFONT h); };
#pragma once

#include "framework/win32/Win32.h"

template <class Traits>
class CHandle {
public:
    using Handle = typename Traits::Handle;

    CHandle() = default;
    explicit CHandle(Handle h) : m_h(h) {}
    ~CHandle() { Free(); }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    CHandle(CHandle&& other) noexcept : m_h(other.Detach()) {}
    CHandle& operator=(CHandle&& other) noexcept
    {
        if (this != &other)
            Attach(other.Detach());
        return *this;
    }

    // Takes ownership of h, freeing what was held so far. FALSE for null.
    BOOL Attach(Handle h)
    {
        if (h != m_h) {
            Free();
            m_h = h;
        }
        return h != nullptr;
    }
    // Gives up ownership without freeing.
    Handle Detach()
    {
        Handle h = m_h;
        m_h = nullptr;
        return h;
    }
    // FALSE when nothing was held.
    BOOL Free()
    {
        if (m_h == nullptr)
            return FALSE;
        Traits::Free(Detach());
        return TRUE;
    }

    Handle Get() const { return m_h; }
    operator Handle() const { return m_h; }

private:
    Handle m_h = nullptr;
};

// Message tables. A class declares DECLARE_MESSAGE_MAP(); its source lists entries
// between BEGIN_MESSAGE_MAP(theClass, baseClass) and END_MESSAGE_MAP(). Lookup runs
// through the entries in declared order, then through the base class's table.
//
// Each entry holds a thunk instantiated for the exact handler: the handler's
// signature is checked when the table is compiled, and no member pointer is ever cast
// to a common type.
#pragma once

#include "framework/win32/Point.h"
#include "framework/win32/Win32.h"

class CWnd;

enum class AfxEntryKind : unsigned char {
    Message,          // nMessage matches the window message
    Registered,       // *pnRegistered matches: a message numbered at run time
    Command,          // WM_COMMAND with notification nCode from control or command nID
    ReflectCtlColor,  // a WM_CTLCOLOR* query the parent hands back to this control
};

// Returns the message's result. A reflected colour entry that returns 0 (no brush)
// leaves the query to the parent.
using AFX_PMSG = LRESULT (*)(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    AfxEntryKind nKind;
    UINT nMessage;
    UINT nCode;
    UINT nID;
    AFX_PMSG pfn;  // null ends the table
    // Registered: the variable that holds the number, read at each lookup, since
    // RegisterWindowMessage may run after the table was built.
    const UINT* pnRegistered;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Thunks: T is the class whose table holds the entry, pmf its handler (possibly a
// base class member). Assigning pmf to the expected type checks the signature.
namespace AfxThunk {

template <class T, auto pmf>
LRESULT Void(CWnd* pWnd, WPARAM, LPARAM)
{
    constexpr void (T::*pfn)() = pmf;
    (static_cast<T*>(pWnd)->*pfn)();
    return 0;
}

template <class T, auto pmf>
LRESULT Message(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    constexpr LRESULT (T::*pfn)(WPARAM, LPARAM) = pmf;
    return (static_cast<T*>(pWnd)->*pfn)(wParam, lParam);
}

template <class T, auto pmf>
LRESULT SysCommand(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    constexpr void (T::*pfn)(UINT, LPARAM) = pmf;
    (static_cast<T*>(pWnd)->*pfn)(static_cast<UINT>(wParam), lParam);
    return 0;
}

template <class T, auto pmf>
LRESULT QueryDragIcon(CWnd* pWnd, WPARAM, LPARAM)
{
    constexpr HCURSOR (T::*pfn)() = pmf;
    return reinterpret_cast<LRESULT>((static_cast<T*>(pWnd)->*pfn)());
}

template <class T, auto pmf>
LRESULT Size(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    constexpr void (T::*pfn)(UINT, int, int) = pmf;
    (static_cast<T*>(pWnd)->*pfn)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
    return 0;
}

template <class T, auto pmf>
LRESULT CtlColor(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    constexpr HBRUSH (T::*pfn)(HDC, UINT) = pmf;
    return reinterpret_cast<LRESULT>(
        (static_cast<T*>(pWnd)->*pfn)(reinterpret_cast<HDC>(wParam), static_cast<UINT>(lParam)));
}

template <class T, auto pmf>
LRESULT SetCursor(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    constexpr BOOL (T::*pfn)(HWND, UINT, UINT) = pmf;
    return (static_cast<T*>(pWnd)->*pfn)(reinterpret_cast<HWND>(wParam), LOWORD(lParam),
                                         HIWORD(lParam));
}

template <class T, auto pmf>
LRESULT Mouse(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    constexpr void (T::*pfn)(UINT, CPoint) = pmf;
    (static_cast<T*>(pWnd)->*pfn)(static_cast<UINT>(wParam), CPoint::FromLParam(lParam));
    return 0;
}

template <class T, auto pmf>
LRESULT Focus(CWnd* pWnd, WPARAM wParam, LPARAM)
{
    constexpr void (T::*pfn)(HWND) = pmf;
    (static_cast<T*>(pWnd)->*pfn)(reinterpret_cast<HWND>(wParam));
    return 0;
}

template <class T, auto pmf>
LRESULT Key(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    constexpr void (T::*pfn)(UINT, UINT, UINT) = pmf;
    (static_cast<T*>(pWnd)->*pfn)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
    return 0;
}

template <class T, auto pmf>
LRESULT NcHitTest(CWnd* pWnd, WPARAM, LPARAM lParam)
{
    constexpr LRESULT (T::*pfn)(CPoint) = pmf;
    return (static_cast<T*>(pWnd)->*pfn)(CPoint::FromLParam(lParam));
}

}  // namespace AfxThunk

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                   \
    {                                                                                 \
        using ThisClass [[maybe_unused]] = theClass;                                  \
        using TheBaseClass = baseClass;                                               \
        static const AFX_MSGMAP_ENTRY messageEntries[] = {

#define END_MESSAGE_MAP()                                                             \
            {AfxEntryKind::Message, 0, 0, 0, nullptr, nullptr}};                      \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,       \
                                              messageEntries};                        \
        return &messageMap;                                                           \
    }

#define AFX_MSG_ENTRY(msg, thunk, memberFxn) \
    {AfxEntryKind::Message, (msg), 0, 0, &AfxThunk::thunk<ThisClass, memberFxn>, nullptr},

// Commands: void f()
#define ON_COMMAND(id, memberFxn) \
    {AfxEntryKind::Command, WM_COMMAND, 0, (id), &AfxThunk::Void<ThisClass, memberFxn>, nullptr},
#define ON_BN_CLICKED(id, memberFxn) \
    {AfxEntryKind::Command, WM_COMMAND, BN_CLICKED, (id), &AfxThunk::Void<ThisClass, memberFxn>, \
     nullptr},
#define ON_CBN_SELCHANGE(id, memberFxn) \
    {AfxEntryKind::Command, WM_COMMAND, CBN_SELCHANGE, (id), &AfxThunk::Void<ThisClass, memberFxn>, nullptr},
#define ON_CBN_EDITCHANGE(id, memberFxn) \
    {AfxEntryKind::Command, WM_COMMAND, CBN_EDITCHANGE, (id), &AfxThunk::Void<ThisClass, memberFxn>, nullptr},

// LRESULT f(WPARAM, LPARAM)
#define ON_MESSAGE(msg, memberFxn) AFX_MSG_ENTRY(msg, Message, memberFxn)
// LRESULT f(WPARAM, LPARAM) for a message numbered by RegisterWindowMessage (e.g.
// "TaskbarCreated"): nMessageVariable is a UINT of static storage, a global or a
// static member, that holds the number; 0 (not registered yet) matches nothing.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                        \
    {AfxEntryKind::Registered, 0, 0, 0, &AfxThunk::Message<ThisClass, memberFxn>, \
     &(nMessageVariable)},

// void OnSysCommand(UINT nID, LPARAM lParam)
#define ON_WM_SYSCOMMAND() AFX_MSG_ENTRY(WM_SYSCOMMAND, SysCommand, &ThisClass::OnSysCommand)
// void OnPaint()
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, Void, &ThisClass::OnPaint)
// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON() \
    AFX_MSG_ENTRY(WM_QUERYDRAGICON, QueryDragIcon, &ThisClass::OnQueryDragIcon)
// void OnSize(UINT nType, int cx, int cy)
#define ON_WM_SIZE() AFX_MSG_ENTRY(WM_SIZE, Size, &ThisClass::OnSize)
// BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message)
#define ON_WM_SETCURSOR() AFX_MSG_ENTRY(WM_SETCURSOR, SetCursor, &ThisClass::OnSetCursor)
// void f(UINT nFlags, CPoint point), point in client coordinates
#define ON_WM_MOUSEMOVE() AFX_MSG_ENTRY(WM_MOUSEMOVE, Mouse, &ThisClass::OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MSG_ENTRY(WM_LBUTTONDOWN, Mouse, &ThisClass::OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MSG_ENTRY(WM_LBUTTONUP, Mouse, &ThisClass::OnLButtonUp)
// void OnSetFocus(HWND hOldWnd) / void OnKillFocus(HWND hNewWnd)
#define ON_WM_SETFOCUS() AFX_MSG_ENTRY(WM_SETFOCUS, Focus, &ThisClass::OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_MSG_ENTRY(WM_KILLFOCUS, Focus, &ThisClass::OnKillFocus)
// void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_KEYDOWN() AFX_MSG_ENTRY(WM_KEYDOWN, Key, &ThisClass::OnKeyDown)
// LRESULT OnNcHitTest(CPoint point), point in screen coordinates
#define ON_WM_NCHITTEST() AFX_MSG_ENTRY(WM_NCHITTEST, NcHitTest, &ThisClass::OnNcHitTest)

// HBRUSH CtlColor(HDC hDC, UINT nCtlColor) on the control itself: the parent's
// WM_CTLCOLOR* query for this control; nCtlColor is CTLCOLOR_STATIC and so on.
// A null brush leaves the query to the parent's own handling.
#define ON_WM_CTLCOLOR_REFLECT() \
    {AfxEntryKind::ReflectCtlColor, 0, 0, 0, &AfxThunk::CtlColor<ThisClass, &ThisClass::CtlColor>, \
     nullptr},

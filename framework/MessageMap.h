#pragma once
// Declarative per-class message maps. Each entry holds a small non-capturing thunk that casts the target to the
// class that declared the map and calls the handler, so dispatch is type-checked at compile time and needs no
// casts between member-function-pointer types.

#include <windows.h>

class CCmdTarget;

using MessageThunk = LRESULT (*)(CCmdTarget* target, UINT message, WPARAM wParam, LPARAM lParam);

// Pseudo message that matches every WM_CTLCOLOR* message (the old 16-bit WM_CTLCOLOR value).
constexpr UINT kAnyCtlColorMessage = 0x0019;

struct MessageMapEntry {
    UINT message;            // window message; WM_COMMAND for notifications
    UINT code;               // notification code (WM_COMMAND entries)
    UINT id;                 // control id (WM_COMMAND entries)
    const UINT* registered;  // for registered messages: the variable that holds the message number
    MessageThunk thunk;
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries;  // ends with an entry whose thunk is null
};

// Finds the first entry, walking from the most derived map to the base maps.
const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam);

// clang-format off
#define DECLARE_MESSAGE_MAP()                                  \
protected:                                                     \
    static const MessageMap* GetThisMessageMap();              \
public:                                                        \
    const MessageMap* GetMessageMap() const override;          \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                    \
    const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const MessageMap* theClass::GetThisMessageMap() {                             \
        using ThisClass = theClass;                                               \
        using TheBaseClass = baseClass;                                           \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                         \
            {0, 0, 0, nullptr, nullptr}};                                         \
        static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &map;                                                              \
    }

#define REELSIFT_SELF static_cast<ThisClass*>(target)

#define ON_WM_TIMER()                                                                            \
    {WM_TIMER, 0, 0, nullptr, [](CCmdTarget* target, [[maybe_unused]] UINT msg, WPARAM w, LPARAM) -> LRESULT {              \
         REELSIFT_SELF->OnTimer(static_cast<UINT_PTR>(w)); return 0; }},
#define ON_WM_CLOSE()                                                                            \
    {WM_CLOSE, 0, 0, nullptr, [](CCmdTarget* target, [[maybe_unused]] UINT msg, WPARAM, LPARAM) -> LRESULT {                \
         REELSIFT_SELF->OnClose(); return 0; }},
#define ON_WM_PAINT()                                                                            \
    {WM_PAINT, 0, 0, nullptr, [](CCmdTarget* target, [[maybe_unused]] UINT msg, WPARAM, LPARAM) -> LRESULT {                \
         REELSIFT_SELF->OnPaint(); return 0; }},
#define ON_WM_DESTROY()                                                                          \
    {WM_DESTROY, 0, 0, nullptr, [](CCmdTarget* target, [[maybe_unused]] UINT msg, WPARAM, LPARAM) -> LRESULT {              \
         REELSIFT_SELF->OnDestroy(); return 0; }},
#define ON_WM_QUERYDRAGICON()                                                                    \
    {WM_QUERYDRAGICON, 0, 0, nullptr, [](CCmdTarget* target, [[maybe_unused]] UINT msg, WPARAM, LPARAM) -> LRESULT {        \
         return reinterpret_cast<LRESULT>(REELSIFT_SELF->OnQueryDragIcon()); }},
// The handler gets the device context, the control (or the window itself) and the CTLCOLOR_* kind.
#define ON_WM_CTLCOLOR()                                                                         \
    {kAnyCtlColorMessage, 0, 0, nullptr, [](CCmdTarget* target, [[maybe_unused]] UINT msg, WPARAM w, LPARAM l) -> LRESULT { \
         return reinterpret_cast<LRESULT>(REELSIFT_SELF->DispatchCtlColor(msg,                   \
             &ThisClass::OnCtlColor, reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l))); }},
#define ON_MESSAGE(message, memberFxn)                                                           \
    {message, 0, 0, nullptr, [](CCmdTarget* target, [[maybe_unused]] UINT msg, WPARAM w, LPARAM l) -> LRESULT {             \
         return (REELSIFT_SELF->*(memberFxn))(w, l); }},
#define ON_REGISTERED_MESSAGE(messageVariable, memberFxn)                                        \
    {0, 0, 0, &(messageVariable), [](CCmdTarget* target, [[maybe_unused]] UINT msg, WPARAM w, LPARAM l) -> LRESULT {        \
         return (REELSIFT_SELF->*(memberFxn))(w, l); }},
#define ON_CONTROL(notifyCode, id, memberFxn)                                                    \
    {WM_COMMAND, static_cast<UINT>(notifyCode), static_cast<UINT>(id), nullptr,                  \
     [](CCmdTarget* target, [[maybe_unused]] UINT msg, WPARAM, LPARAM) -> LRESULT { (REELSIFT_SELF->*(memberFxn))(); return 0; }},
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
// clang-format on

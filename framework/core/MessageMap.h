#pragma once
// Static per-class message maps: the numbering of framework messages and command
// sub-codes, the entry layout, and the helpers that write a class's map as data.
#include "FrameworkTypes.h"
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <type_traits>

class CCmdTarget;
class CCmdUI;

// Framework message codes. Application messages start at msgUser.
enum messageCodes : std::uint32_t {
    msgCreate = 1,
    msgDestroy = 2,
    msgMove = 3,
    msgSize = 5,
    msgPaint = 15,
    msgMouseRelay = 32,
    msgCommand = 33,
    msgIconEraseBkgnd = 40,
    msgHScroll = 42,
    msgVScroll = 43,
    msgLButtonDblClk = 44,
    msgTimer = 45,
    msgQueryDragIcon = 47,
    msgHasHandler = 48,
    msgUser = 1024,
};

// Sub-codes qualifying msgCommand: which kind of command or control notification.
enum subCommands : std::uint32_t {
    scCommand = 0,
    scUpdate = 1,
    scEditChange = 2,
    scSetFocus = 3,
    scKillFocus = 4,
    scSelChange = 6,
    scDropDown = 7,
    scCloseUp = 8,
    scClicked = 9,
};

// Standard button ids, also the results of DoModal. Deliberately not 1 and 2.
constexpr UINT IDOK = 1024;
constexpr UINT IDCANCEL = 0x400000;
constexpr UINT IDHELP = 0x1000000;

// How a map entry's handler is called (see the invoker below).
enum signatureKinds : int {
    sigUpdate = 0, // (CCmdUI*), lParam is the menu action
    sigVoid = 1, // ()
    sigCommand = 2, // () for a single id, (UINT id) for a range; 10, 11, 12, 15 alike
    sigMove = 3, // (int x, int y) from the point lParam points to
    sigSize = 4, // (UINT type = 0, int cx, int cy) from lParam = cx | cy << 16
    sigNotify = 5, // (LPARAM, LRESULT* result), dispatch returns *result
    sigBool = 6, // (LPARAM) -> non-zero, dispatch returns 1 or 0
    sigMessage = 7, // (WPARAM, LPARAM) -> result, dispatch returns it
    sigUInt = 8, // (UINT w)
    sigMouse = 9, // (UINT flags, point(x, y)) from lParam = x | y << 16
    sigCommand10 = 10,
    sigCommand11 = 11,
    sigCommand12 = 12,
    sigScroll = 13, // (UINT code, UINT pos, control*) from w = pos << 16 | code
    sigScroll14 = 14,
    sigCommand15 = 15,
    sigIgnore = 16, // matches, calls nothing
    sigEnd = 17, // end of the entry array; kinds above 16 never match
};

// The point a msgMove lParam points to.
struct MsgPoint {
    int x;
    int y;
};

// Arguments of one dispatch, handed to an entry's invoker.
struct Q_MSGCALL {
    WPARAM w;
    LPARAM l;
    UINT id;
};

struct Q_MSGMAP_ENTRY;
// Calls one handler with the arguments of the entry's signature kind and returns
// the value dispatch reports. Generated per (kind, handler) by qMapEntry.
using Q_HANDLER = int (*)(CCmdTarget* target, const Q_MSGMAP_ENTRY& entry, const Q_MSGCALL& call);

struct Q_MSGMAP_ENTRY {
    std::uint32_t code; // messageCodes or an application message >= msgUser
    std::uint32_t sub; // subCommands for msgCommand, 0 otherwise
    std::uint32_t firstId;
    std::uint32_t lastId;
    int sig; // signatureKinds
    Q_HANDLER handler; // null only in the end entry
    int thisAdjust; // bytes added to the object pointer before the call
};

struct Q_MSGMAP {
    const Q_MSGMAP* base; // null at a root
    const Q_MSGMAP_ENTRY* entries;
};

// Argument decoding shared by the invokers. The 32-bit packed forms are read as
// signed so negative coordinates survive whether the sender packed them into a
// 32- or a 64-bit lParam.
inline int qLowSigned16(LPARAM l)
{
    return static_cast<std::int16_t>(
        static_cast<std::uint16_t>(static_cast<std::uint64_t>(l) & 0xFFFF));
}
inline int qHighArith16(LPARAM l)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(l)))
        >> 16;
}

// Runs a command-update handler: fills a CCmdUI from the action in `action`
// (a QAction*, may be 0), calls `fn(ctx, ui)`, then applies the result to the
// action (text cut at the first tab, enabled, checkable, checked).
void qRunCommandUpdate(LPARAM action, void (*fn)(void* ctx, CCmdUI* ui), void* ctx);

template <class T> struct QMemberTraits;
template <class R, class C, class... A> struct QMemberTraits<R (C::*)(A...)> {
    using Class = C;
    using Args = std::tuple<A...>;
};
template <class R, class C, class... A> struct QMemberTraits<R (C::*)(A...) noexcept> {
    using Class = C;
    using Args = std::tuple<A...>;
};
// The decayed type of parameter I of the handler Pmf.
template <auto Pmf, std::size_t I>
using QHandlerArg
    = std::decay_t<std::tuple_element_t<I, typename QMemberTraits<decltype(Pmf)>::Args>>;

template <class R> int qResultToInt(R r)
{
    if constexpr (std::is_pointer_v<R>)
        return r != nullptr;
    else
        return static_cast<int>(r);
}

template <int Kind>
constexpr bool qIsCommandKind = Kind == sigCommand || Kind == sigCommand10 || Kind == sigCommand11
    || Kind == sigCommand12 || Kind == sigCommand15;

// The invoker of one (kind, handler) pair: unpacks the arguments the kind prescribes
// and turns the handler's result into the value dispatch reports.
template <int Kind, auto Pmf>
int qInvoke(CCmdTarget* target, [[maybe_unused]] const Q_MSGMAP_ENTRY& entry, const Q_MSGCALL& c)
{
    using C = typename QMemberTraits<decltype(Pmf)>::Class;
    static_assert(std::is_base_of_v<CCmdTarget, C>, "handlers must be members of a CCmdTarget");
    C* obj = static_cast<C*>(target);
    if constexpr (Kind == sigUpdate) {
        qRunCommandUpdate(
            c.l, [](void* o, CCmdUI* ui) { (static_cast<C*>(o)->*Pmf)(ui); }, obj);
        return 0;
    } else if constexpr (Kind == sigVoid) {
        (obj->*Pmf)();
        return 0;
    } else if constexpr (qIsCommandKind<Kind>) {
        // A range handler learns which id fired; a single-id handler takes nothing.
        if constexpr (std::is_invocable_v<decltype(Pmf), C*>)
            (obj->*Pmf)();
        else
            (obj->*Pmf)(static_cast<UINT>(c.id));
        return 0;
    } else if constexpr (Kind == sigMove) {
        if (const auto* p = reinterpret_cast<const MsgPoint*>(c.l))
            (obj->*Pmf)(p->x, p->y);
        return 0;
    } else if constexpr (Kind == sigSize) {
        (obj->*Pmf)(0u, qLowSigned16(c.l), qHighArith16(c.l));
        return 0;
    } else if constexpr (Kind == sigNotify) {
        LRESULT result = 0;
        (obj->*Pmf)(c.l, &result);
        return static_cast<int>(result);
    } else if constexpr (Kind == sigBool) {
        return (obj->*Pmf)(c.l) ? 1 : 0;
    } else if constexpr (Kind == sigMessage) {
        return qResultToInt((obj->*Pmf)(c.w, c.l));
    } else if constexpr (Kind == sigUInt) {
        (obj->*Pmf)(static_cast<UINT>(c.w));
        return 0;
    } else if constexpr (Kind == sigMouse) {
        // The point parameter may be any type built from (x, y), e.g. CPoint.
        using Point = QHandlerArg<Pmf, 1>;
        (obj->*Pmf)(static_cast<UINT>(c.w), Point { qLowSigned16(c.l), qHighArith16(c.l) });
        return 0;
    } else if constexpr (Kind == sigScroll || Kind == sigScroll14) {
        // lParam is the sending control, passed as the handler's pointer type.
        using Control = QHandlerArg<Pmf, 2>;
        static_assert(
            std::is_pointer_v<Control>, "a scroll handler's third parameter is a control");
        (obj->*Pmf)(static_cast<UINT>(c.w & 0xFFFF), static_cast<UINT>((c.w >> 16) & 0xFFFF),
            reinterpret_cast<Control>(c.l));
        return 0;
    } else {
        static_assert(Kind == sigIgnore, "unknown signature kind");
        return 0;
    }
}

// The handler slot of an ignoring entry; dispatch never calls it.
int qNoCall(CCmdTarget*, const Q_MSGMAP_ENTRY&, const Q_MSGCALL&);

// One map entry binding (code, sub-code, id range) to handler Pmf called as kind Kind.
template <int Kind, auto Pmf>
constexpr Q_MSGMAP_ENTRY qMapEntry(
    std::uint32_t code, std::uint32_t sub = 0, std::uint32_t firstId = 0, std::uint32_t lastId = 0)
{
    return { code, sub, firstId, lastId, Kind, &qInvoke<Kind, Pmf>, 0 };
}
// An entry of kind sigIgnore: it matches and calls nothing.
constexpr Q_MSGMAP_ENTRY qIgnoreEntry(
    std::uint32_t code, std::uint32_t sub = 0, std::uint32_t firstId = 0, std::uint32_t lastId = 0)
{
    return { code, sub, firstId, lastId, sigIgnore, &qNoCall, 0 };
}
constexpr Q_MSGMAP_ENTRY qMapEnd()
{
    return { 0, 0, 0, 0, sigEnd, nullptr, 0 };
}

// Declaring and defining a class's map. In the class body:
//     Q_DECLARE_MESSAGE_MAP(CMyDialog)
// (leaves the access at protected), and in its .cpp:
//     Q_BEGIN_MESSAGE_MAP(CMyDialog, CDialog)
//         Q_ON_PAINT(OnPaint)
//         Q_ON_COMMAND_RANGE(103, 115, OnCommandRange1)
//     Q_END_MESSAGE_MAP()
// Use Q_BEGIN_ROOT_MESSAGE_MAP for a class whose bases have no map.
#define Q_DECLARE_MESSAGE_MAP(theClass)                                                            \
public:                                                                                            \
    using QMapClass = theClass;                                                                    \
    static const Q_MSGMAP messageMap;                                                              \
    const Q_MSGMAP* GetMessageMap() const override;                                                \
                                                                                                   \
protected:                                                                                         \
    static const Q_MSGMAP_ENTRY messageEntries[];

#define Q_DEFINE_MESSAGE_MAP_(theClass, baseMap)                                                   \
    const Q_MSGMAP* theClass::GetMessageMap() const                                                \
    {                                                                                              \
        return &theClass::messageMap;                                                              \
    }                                                                                              \
    const Q_MSGMAP theClass::messageMap = { baseMap, &theClass::messageEntries[0] };               \
    const Q_MSGMAP_ENTRY theClass::messageEntries[] = {
#define Q_BEGIN_MESSAGE_MAP(theClass, baseClass)                                                   \
    Q_DEFINE_MESSAGE_MAP_(theClass, &baseClass::messageMap)
#define Q_BEGIN_ROOT_MESSAGE_MAP(theClass) Q_DEFINE_MESSAGE_MAP_(theClass, nullptr)
#define Q_END_MESSAGE_MAP()                                                                        \
    qMapEnd()                                                                                      \
    }                                                                                              \
    ;

// Entries (inside a map of class QMapClass). Handler forms:
//   message (WPARAM, LPARAM) -> int-like; command/notify () or (UINT id) for ranges;
//   update (CCmdUI*); paint/destroy (); timer (UINT id); size (UINT, int cx, int cy);
//   move (int x, int y); scroll (UINT code, UINT pos, control*); double click (UINT, point).
#define Q_ON_ENTRY(code, sub, first, last, kind, fn)                                               \
    qMapEntry<kind, &QMapClass::fn>(code, sub, first, last),
#define Q_ON_MESSAGE(code, fn) Q_ON_ENTRY(code, 0, 0, 0, sigMessage, fn)
#define Q_ON_CREATE(fn) Q_ON_ENTRY(msgCreate, 0, 0, 0, sigMessage, fn)
#define Q_ON_COMMAND(id, fn) Q_ON_ENTRY(msgCommand, scCommand, id, id, sigCommand, fn)
#define Q_ON_COMMAND_RANGE(first, last, fn)                                                        \
    Q_ON_ENTRY(msgCommand, scCommand, first, last, sigCommand, fn)
#define Q_ON_UPDATE_COMMAND_UI(id, fn) Q_ON_ENTRY(msgCommand, scUpdate, id, id, sigUpdate, fn)
#define Q_ON_NOTIFY(sub, id, fn) Q_ON_ENTRY(msgCommand, sub, id, id, sigCommand, fn)
#define Q_ON_NOTIFY_RANGE(sub, first, last, fn)                                                    \
    Q_ON_ENTRY(msgCommand, sub, first, last, sigCommand, fn)
#define Q_ON_CLICKED(id, fn) Q_ON_NOTIFY(scClicked, id, fn)
#define Q_ON_SELCHANGE(id, fn) Q_ON_NOTIFY(scSelChange, id, fn)
#define Q_ON_EDITCHANGE(id, fn) Q_ON_NOTIFY(scEditChange, id, fn)
#define Q_ON_PAINT(fn) Q_ON_ENTRY(msgPaint, 0, 0, 0, sigVoid, fn)
#define Q_ON_DESTROY(fn) Q_ON_ENTRY(msgDestroy, 0, 0, 0, sigVoid, fn)
#define Q_ON_TIMER(fn) Q_ON_ENTRY(msgTimer, 0, 0, 0, sigUInt, fn)
#define Q_ON_SIZE(fn) Q_ON_ENTRY(msgSize, 0, 0, 0, sigSize, fn)
#define Q_ON_MOVE(fn) Q_ON_ENTRY(msgMove, 0, 0, 0, sigMove, fn)
#define Q_ON_VSCROLL(fn) Q_ON_ENTRY(msgVScroll, 0, 0, 0, sigScroll14, fn)
#define Q_ON_HSCROLL(fn) Q_ON_ENTRY(msgHScroll, 0, 0, 0, sigScroll, fn)
#define Q_ON_LBUTTONDBLCLK(fn) Q_ON_ENTRY(msgLButtonDblClk, 0, 0, 0, sigMouse, fn)

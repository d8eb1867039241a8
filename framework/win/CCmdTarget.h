#pragma once
#include "framework/core/CObject.h"
#include "framework/win/AfxState.h"

#include <type_traits>

class CCmdTarget;
class CCmdUI;

// What a message-map entry's dispatch function receives: the window message, or the decoded
// command (id, notification code and the extra record: CCmdUI* or AFX_NOTIFY*).
struct AFX_MSG_CALL {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT nID = 0;
    void* pExtra = nullptr;
};

// A dispatch function decodes the call into the handler's parameters and calls it.
using AFX_DISPATCH = LRESULT (*)(CCmdTarget* pTarget, const AFX_MSG_CALL& call);

// One line of a message map. Window messages have nCode and the ids 0; commands and
// notifications match their code (16 bits, so negative notification codes are stored as
// WORD) and an id range; reflected messages are WM_REFLECT_BASE + the original message.
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    AFX_DISPATCH pfnDispatch; // nullptr ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The record handed with a WM_NOTIFY through OnCmdMsg.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Filled by OnCmdMsg, instead of calling the handler, when a caller only asks who handles.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
};

namespace afx {

// Splits a member-function pointer into its class and its plain signature.
template <class F> struct MemberFn;
template <class C, class R, class... A> struct MemberFn<R (C::*)(A...)> {
    using Class = C;
    using Sig = R(A...);
};

// The dispatch function of one entry: Cracker decodes the call for a handler of signature
// Cracker::Sig. A handler of any other signature, or of an unrelated class, does not compile.
template <class Cracker, class T, auto Fn>
LRESULT Dispatch(CCmdTarget* pTarget, const AFX_MSG_CALL& call)
{
    using Info = MemberFn<decltype(Fn)>;
    static_assert(std::is_same_v<typename Info::Sig, typename Cracker::Sig>,
                  "message-map handler has the wrong signature for its ON_ macro");
    static_assert(std::is_base_of_v<typename Info::Class, T>,
                  "message-map handler is not a member of the class or its bases");
    return Cracker::template Call<T, Fn>(static_cast<T*>(pTarget), call);
}

// Crackers of the command-routing entries.
struct CmdVoid { // void OnCommand()
    using Sig = void();
    template <class T, auto Fn> static LRESULT Call(T* p, const AFX_MSG_CALL&)
    {
        (p->*Fn)();
        return 0;
    }
};
struct CmdRange { // void OnCommandRange(UINT nID)
    using Sig = void(UINT);
    template <class T, auto Fn> static LRESULT Call(T* p, const AFX_MSG_CALL& c)
    {
        (p->*Fn)(c.nID);
        return 0;
    }
};
struct CmdUI { // void OnUpdate(CCmdUI* pCmdUI)
    using Sig = void(CCmdUI*);
    template <class T, auto Fn> static LRESULT Call(T* p, const AFX_MSG_CALL& c)
    {
        (p->*Fn)(static_cast<CCmdUI*>(c.pExtra));
        return 0;
    }
};
struct Notify { // void OnNotify(NMHDR* pNMHDR, LRESULT* pResult)
    using Sig = void(NMHDR*, LRESULT*);
    template <class T, auto Fn> static LRESULT Call(T* p, const AFX_MSG_CALL& c)
    {
        auto* n = static_cast<AFX_NOTIFY*>(c.pExtra);
        (p->*Fn)(n->pNMHDR, n->pResult);
        return 0;
    }
};
struct NotifyRange { // void OnNotify(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
    using Sig = void(UINT, NMHDR*, LRESULT*);
    template <class T, auto Fn> static LRESULT Call(T* p, const AFX_MSG_CALL& c)
    {
        auto* n = static_cast<AFX_NOTIFY*>(c.pExtra);
        (p->*Fn)(c.nID, n->pNMHDR, n->pResult);
        return 0;
    }
};
struct Message { // LRESULT OnMessage(WPARAM wParam, LPARAM lParam)
    using Sig = LRESULT(WPARAM, LPARAM);
    template <class T, auto Fn> static LRESULT Call(T* p, const AFX_MSG_CALL& c)
    {
        return (p->*Fn)(c.wParam, c.lParam);
    }
};

} // namespace afx

// Marks message handlers in class declarations; it expands to nothing.
#define afx_msg

// A class's message map: a static table linked to its base's, reached through a virtual.
//   DECLARE_MESSAGE_MAP() in the class; in one source file:
//   BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
//       ON_WM_SIZE()                    // void OnSize(UINT nType, int cx, int cy)
//       ON_COMMAND(ID_EDIT_COPY, &CMyWnd::OnEditCopy)
//   END_MESSAGE_MAP()
#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }              \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                \
    {                                                                                              \
        using ThisClass = theClass;                                                                \
        using TheBaseClass = baseClass;                                                            \
        static constexpr AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    {                                                                                              \
        0, 0, 0, 0, nullptr                                                                        \
    }                                                                                              \
    }                                                                                              \
    ;                                                                                              \
    static constexpr AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &entries[0]};      \
    return &messageMap;                                                                            \
    }

#define ZIVRA_MSG_ENTRY(msg, code, id, lastId, cracker, memberFxn)                                 \
    {UINT(msg), UINT(code), UINT(id), UINT(lastId), &afx::Dispatch<cracker, ThisClass, memberFxn>},

// Commands (menus, accelerators, buttons). Handler signatures in the crackers above.
#define ON_COMMAND(id, memberFxn)                                                                  \
    ZIVRA_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, id, afx::CmdVoid, memberFxn)
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                    \
    ZIVRA_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, afx::CmdRange, memberFxn)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                        \
    ZIVRA_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI_CODE, id, id, afx::CmdUI, memberFxn)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                          \
    ZIVRA_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI_CODE, id, idLast, afx::CmdUI, memberFxn)

// A control bar's own state update, reflected from its frame: void OnUpdateXxx(CCmdUI*).
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn)                                                    \
    ZIVRA_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, CN_UPDATE_COMMAND_UI_CODE, 0, 0, afx::CmdUI,     \
                    memberFxn)

// Control notifications to the parent: void OnXxx(), or void OnXxx(UINT nID) for a range.
#define ON_CONTROL(code, id, memberFxn)                                                            \
    ZIVRA_MSG_ENTRY(WM_COMMAND, WORD(code), id, id, afx::CmdVoid, memberFxn)
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn)                                              \
    ZIVRA_MSG_ENTRY(WM_COMMAND, WORD(code), id, idLast, afx::CmdRange, memberFxn)
// A control's own notification, reflected back from its parent: void OnXxx().
#define ON_CONTROL_REFLECT(code, memberFxn)                                                        \
    ZIVRA_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, WORD(code), 0, 0, afx::CmdVoid, memberFxn)

// WM_NOTIFY: void OnXxx(NMHDR* pNMHDR, LRESULT* pResult); codes may be negative.
#define ON_NOTIFY(code, id, memberFxn)                                                             \
    ZIVRA_MSG_ENTRY(WM_NOTIFY, WORD(code), id, id, afx::Notify, memberFxn)
// The same from any of the controls id..idLast: void OnXxx(UINT nID, NMHDR*, LRESULT*).
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                                               \
    ZIVRA_MSG_ENTRY(WM_NOTIFY, WORD(code), id, idLast, afx::NotifyRange, memberFxn)
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                         \
    ZIVRA_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, WORD(code), 0, 0, afx::Notify, memberFxn)

// Any message: LRESULT OnXxx(WPARAM wParam, LPARAM lParam).
#define ON_MESSAGE(message, memberFxn) ZIVRA_MSG_ENTRY(message, 0, 0, 0, afx::Message, memberFxn)

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)

// The root of every object that receives commands or messages: it owns the message-map
// search. Commands are offered to OnCmdMsg, which derived classes extend to route further
// (a frame to its view and document, a dialog to its parent).
class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // nCode packs the notification code (low word) and the message (high word: 0 or
    // WM_COMMAND, WM_NOTIFY, or either + WM_REFLECT_BASE); CN_UPDATE_COMMAND_UI as it is.
    // pExtra is the CCmdUI* or AFX_NOTIFY*. With pHandlerInfo only the handler is looked up.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The first entry of the map chain (most derived class first) that matches, or nullptr.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode,
                                                    UINT nID);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

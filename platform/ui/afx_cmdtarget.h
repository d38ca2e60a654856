// Message maps: the tables that route a window's commands and notifications
// to member functions of the program's classes.
//
// A class that handles commands declares DECLARE_MESSAGE_MAP() and lists its
// entries in a .cpp file between BEGIN_MESSAGE_MAP(Class, Base) and
// END_MESSAGE_MAP(). Lookup walks the class's own table first, then its
// base class's, so a derived class overrides what a base class routes.
// Entries point to member functions taking no arguments and returning
// nothing (button clicks, the destroy notification).
#pragma once

#include "platform/ui/winuser.h"
#include "platform/win/windef.h"

class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)();

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // WM_COMMAND, WM_DESTROY, ...; 0 ends the table
  UINT nCode;     // notification code (BN_CLICKED) for WM_COMMAND
  UINT nID;       // control id for WM_COMMAND
  AFX_PMSG pfn;   // the handler
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// The root of every class that receives commands: the application object
// and every window.
class CCmdTarget {
 public:
  CCmdTarget() = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;
  virtual ~CCmdTarget() = default;

  // Finds the handler of `message` (with `code` and `id` for WM_COMMAND) in
  // this object's message maps, most derived first, and calls it. Returns
  // TRUE when a handler ran.
  BOOL OnCmdMsg(UINT message, UINT code, UINT id);

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    using ThisClass [[maybe_unused]] = theClass;                                    \
    using TheBaseClass = baseClass;                                                 \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                       \
  { 0, 0, 0, nullptr }                                                                          \
  }                                                                                             \
  ;                                                                                             \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                           \
  }

// A click of button `id` (or the command `id` of the standard dialog
// handling: IDOK, IDCANCEL) calls `memberFxn`, written &Class::Handler.
#define ON_BN_CLICKED(id, memberFxn) \
  {WM_COMMAND, BN_CLICKED, static_cast<UINT>(id), static_cast<AFX_PMSG>(memberFxn)},
#define ON_COMMAND(id, memberFxn) ON_BN_CLICKED(id, memberFxn)
// The window is being destroyed: calls the class's OnDestroy().
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, static_cast<AFX_PMSG>(&ThisClass::OnDestroy)},

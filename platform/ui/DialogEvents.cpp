#include "platform/ui/DialogEvents.h"

#include "platform/ui/WindowTable.h"
#include "platform/ui/afx_dialog.h"

namespace uw::ui {
namespace {

// The modifier state of the key being handled; valid while g_keyDepth > 0.
unsigned g_keyModifiers = 0;
int g_keyDepth = 0;

WPARAM CommandParam(int id, UINT code) {
  return static_cast<WPARAM>(MAKELPARAM(static_cast<WORD>(id), static_cast<WORD>(code)));
}

class Events : public BackendEvents {
 public:
  bool OnKeyDown(HWND dialog, int vk, unsigned modifiers) override {
    WindowTable& table = WindowTable::Get();
    WindowEntry* entry = table.Find(dialog);
    if (entry == nullptr || !entry->isDialog || entry->object == nullptr) return false;
    table.DeliverPosted();
    HWND focus = CurrentBackend().GetFocus();
    if (table.DialogOf(focus) != dialog) focus = dialog;
    MSG msg{focus, (modifiers & kModAlt) != 0 ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(vk),
            0};
    KeyStateScope scope(modifiers);
    return entry->object->PreTranslateMessage(&msg) != FALSE;
  }

  void OnCommand(HWND dialog, int id, UINT code) override {
    WindowTable& table = WindowTable::Get();
    table.DeliverPosted();
    SendMessageA(dialog, WM_COMMAND, CommandParam(id, code),
                 static_cast<LPARAM>(table.FindControl(dialog, id)));
  }

  void OnClose(HWND dialog) override {
    WindowTable::Get().DeliverPosted();
    SendMessageA(dialog, WM_CLOSE, 0, 0);
  }
};

}  // namespace

BackendEvents& FrameworkEvents() {
  static Events* events = new Events();
  return *events;
}

bool StandardDialogKey(CDialog* dialog, const MSG* msg) {
  if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return false;
  WindowTable& table = WindowTable::Get();
  const HWND hwnd = dialog->m_hWnd;
  if (hwnd == 0 || table.DialogOf(msg->hwnd) != hwnd) return false;
  const bool alt = msg->message == WM_SYSKEYDOWN;
  if (msg->wParam == static_cast<WPARAM>(VK_ESCAPE) && !alt) {
    SendMessageA(hwnd, WM_COMMAND, CommandParam(IDCANCEL, BN_CLICKED), 0);
    return true;
  }
  if (msg->wParam == static_cast<WPARAM>(VK_RETURN)) {
    // A focused push button is the default one; otherwise the dialog's
    // default command, IDOK.
    int id = IDOK;
    HWND control = 0;
    const WindowEntry* focus = table.Find(msg->hwnd);
    if (focus != nullptr && focus->kind == ControlKind::kPushButton &&
        CurrentBackend().IsEnabled(msg->hwnd)) {
      id = focus->id;
      control = msg->hwnd;
    }
    SendMessageA(hwnd, WM_COMMAND, CommandParam(id, BN_CLICKED), static_cast<LPARAM>(control));
    return true;
  }
  return false;
}

KeyStateScope::KeyStateScope(unsigned modifiers)
    : m_previous(g_keyModifiers), m_hadPrevious(g_keyDepth > 0) {
  g_keyModifiers = modifiers;
  ++g_keyDepth;
}

KeyStateScope::~KeyStateScope() {
  --g_keyDepth;
  if (m_hadPrevious) g_keyModifiers = m_previous;
}

}  // namespace uw::ui

SHORT GetKeyState(int vk) {
  unsigned modifier = 0;
  switch (vk) {
    case VK_SHIFT:
      modifier = uw::ui::kModShift;
      break;
    case VK_CONTROL:
      modifier = uw::ui::kModControl;
      break;
    case VK_MENU:
      modifier = uw::ui::kModAlt;
      break;
    default:
      return 0;
  }
  bool down = false;
  if (uw::ui::g_keyDepth > 0) {
    down = (uw::ui::g_keyModifiers & modifier) != 0;
  } else if (uw::ui::HasBackend()) {
    down = uw::ui::CurrentBackend().IsModifierDown(modifier);
  }
  return down ? static_cast<SHORT>(-0x8000) : static_cast<SHORT>(0);
}

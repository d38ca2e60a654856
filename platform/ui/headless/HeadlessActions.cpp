// The headless backend: the modal loop of a dialog and the script's
// actions on its controls and keys.

#include <algorithm>
#include <cctype>

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/headless/HeadlessBackendImpl.h"
#include "platform/ui/winuser.h"
#include "platform/win/text_convert.h"
#include "platform/win/win_path.h"

namespace uw::headless {

using uw::ui::ControlKind;

namespace {

// refuses every other character typed into it).
std::string DigitsOnly(const std::string& text) {
  std::string digits;
  for (char c : text) {
    if (c >= '0' && c <= '9') digits += c;
  }
  return digits;
}

// Cuts a UTF-8 text to at most `bytes` bytes of CP932, between characters.
std::string CutToCp932Bytes(const std::string& text, int bytes) {
  const std::string cp932 = uw::Utf8ToCp932(text);
  if (static_cast<int>(cp932.size()) <= bytes) return text;
  std::size_t kept = 0;
  while (kept < cp932.size()) {
    const std::size_t length = uw::CharLenAt(cp932.c_str(), kept);
    if (kept + length > static_cast<std::size_t>(bytes)) break;
    kept += length;
  }
  return uw::Cp932ToUtf8(cp932.substr(0, kept));
}

}  // namespace

void HeadlessBackend::RunModal(HWND hwnd) {
  if (Find(hwnd) == nullptr) return;
  Show(hwnd, true);
  for (;;) {
    Window* dialog = Find(hwnd);
    if (dialog == nullptr || dialog->modalEnded) return;
    const std::string name = "dialog " + std::to_string(dialog->dialogId);
    const Action* next = m_script.Peek();
    if (next == nullptr) {
      Line("! script ran dry: " + name + " is closed as by its close box");
      m_events->OnClose(hwnd);
      dialog = Find(hwnd);
      if (dialog != nullptr && !dialog->modalEnded) {
        // The program kept it open; the script has nothing more to say, so
        // it ends as cancelled rather than waiting for ever.
        Line("! " + name + " stayed open; it is cancelled");
        m_events->OnCommand(hwnd, IDCANCEL, BN_CLICKED);
        dialog = Find(hwnd);
        if (dialog != nullptr && !dialog->modalEnded) Line("! " + name + " is left");
      }
      return;
    }
    const Action action = *next;
    m_script.Pop();
    Perform(hwnd, action);
  }
}

void HeadlessBackend::Perform(HWND hwnd, const Action& action) {
  Line("> " + action.text);
  const std::string dialogName = "dialog " + std::to_string(Find(hwnd)->dialogId);
  Window* control = nullptr;
  if (action.kind == Action::kClick || action.kind == Action::kType ||
      action.kind == Action::kCheck || action.kind == Action::kFocus) {
    control = Control(hwnd, action.id);
    if (control == nullptr) {
      Note(action, dialogName + " has no control " + std::to_string(action.id));
      return;
    }
    if (!control->enabled || !control->visible) {
      Note(action, "control " + std::to_string(action.id) + " is " +
                       (control->visible ? "disabled" : "hidden") + "; nothing happens");
      return;
    }
  }
  switch (action.kind) {
    case Action::kInvalid:
      Note(action, action.error + "; the line is skipped");
      return;
    case Action::kAnswer:
    case Action::kFile:
      Note(action, "no message box or file dialog is open; the line is skipped");
      return;
    case Action::kKey:
      PerformKey(hwnd, action);
      return;
    case Action::kClick:
      Click(hwnd, *control);
      return;
    case Action::kType: {
      if (control->kind != ControlKind::kEdit) {
        Note(action, "control " + std::to_string(action.id) + " is no edit; nothing is typed");
        return;
      }
      std::string text = action.value;
      if ((control->style & ES_NUMBER) != 0) text = DigitsOnly(text);
      if (control->limit > 0) text = CutToCp932Bytes(text, control->limit);
      SetFocus(control->hwnd);
      control = Control(hwnd, action.id);
      if (control == nullptr) return;
      if (text != action.value) {
        Line("  (the edit took " + Quoted(text) + " of " + Quoted(action.value) + ")");
      }
      SetText(control->hwnd, text);
      return;
    }
    case Action::kCheck:
      if (control->kind != ControlKind::kCheckBox) {
        Note(action, "control " + std::to_string(action.id) + " is no check box");
        return;
      }
      if (control->check == action.check) {
        Line("  (check box " + std::to_string(action.id) + " is " +
             (action.check != 0 ? "checked" : "unchecked") + " already)");
        return;
      }
      Click(hwnd, *control);
      return;
    case Action::kFocus:
      if (!CanFocus(*control)) {
        Note(action, "control " + std::to_string(action.id) + " takes no focus");
        return;
      }
      SetFocus(control->hwnd);
      return;
    case Action::kClose:
      if ((Find(hwnd)->style & WS_SYSMENU) == 0) {
        Note(action, dialogName + " has no close box");
        return;
      }
      m_events->OnClose(hwnd);
      return;
  }
}

void HeadlessBackend::Click(HWND hwnd, Window& control) {
  const HWND target = control.hwnd;
  const int id = control.id;
  const ControlKind kind = control.kind;
  if (CanFocus(control)) SetFocus(target);
  if (kind == ControlKind::kCheckBox && (Find(target)->style & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
    SetCheck(target, Find(target)->check != 0 ? 0 : 1);
  }
  if (kind == ControlKind::kPushButton || kind == ControlKind::kCheckBox) {
    m_events->OnCommand(hwnd, id, BN_CLICKED);
  }
}

void HeadlessBackend::PerformKey(HWND hwnd, const Action& action) {
  if (m_events->OnKeyDown(hwnd, action.vk, action.modifiers)) return;
  const Window* dialog = Find(hwnd);
  if (dialog == nullptr || dialog->modalEnded) return;
  NativeKey(hwnd, action.vk, action.modifiers);
}

void HeadlessBackend::NativeKey(HWND hwnd, int vk, unsigned modifiers) {
  Window* dialog = Find(hwnd);
  const unsigned ctrlAlt = uw::ui::kModControl | uw::ui::kModAlt;
  std::vector<HWND> order;  // focusable tab stops in template order
  for (HWND child : dialog->children) {
    const Window* control = Find(child);
    if (CanFocus(*control) && (control->style & WS_TABSTOP) != 0) order.push_back(child);
  }
  Window* focus = Find(m_focus);
  if (focus != nullptr && focus->dialog != hwnd) focus = nullptr;

  if (vk == VK_TAB && (modifiers & ctrlAlt) == 0) {
    if (order.empty()) return;
    std::size_t index = 0;
    const auto current = std::find(order.begin(), order.end(), m_focus);
    if (current == order.end()) {
      index = (modifiers & uw::ui::kModShift) != 0 ? order.size() - 1 : 0;
    } else {
      const std::size_t at = static_cast<std::size_t>(current - order.begin());
      index = (modifiers & uw::ui::kModShift) != 0 ? (at + order.size() - 1) % order.size()
                                                   : (at + 1) % order.size();
    }
    SetFocus(order[index]);
    return;
  }
  if (vk == VK_SPACE && modifiers == 0 && focus != nullptr &&
      (focus->kind == ControlKind::kPushButton || focus->kind == ControlKind::kCheckBox)) {
    Click(hwnd, *focus);
    return;
  }
  // A mnemonic: with Alt, or alone while the focus is not in an edit.
  const bool letter = (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9');
  const bool mnemonicKey =
      (modifiers & uw::ui::kModAlt) != 0 ||
      (modifiers == 0 && (focus == nullptr || focus->kind != ControlKind::kEdit));
  if (!letter || !mnemonicKey) return;
  for (std::size_t i = 0; i < dialog->children.size(); ++i) {
    Window* control = Find(dialog->children[i]);
    if (!control->visible || !control->enabled ||
        MnemonicOf(control->text) != static_cast<char>(vk)) {
      continue;
    }
    if (control->kind == ControlKind::kPushButton || control->kind == ControlKind::kCheckBox) {
      Click(hwnd, *control);
      return;
    }
    // A label or group box passes the focus to the next control that takes it.
    for (std::size_t j = i + 1; j < dialog->children.size(); ++j) {
      const Window* next = Find(dialog->children[j]);
      if (CanFocus(*next)) {
        SetFocus(next->hwnd);
        return;
      }
    }
    return;
  }
}

}  // namespace uw::headless

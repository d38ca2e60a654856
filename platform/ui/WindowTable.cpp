#include "platform/ui/WindowTable.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "platform/ui/afx_controls.h"
#include "platform/ui/afx_wnd.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/winuser.h"
#include "platform/win/mbstring.h"
#include "platform/win/text_convert.h"

namespace uw::ui {

ControlKind KindOf(const DialogControlTemplate& control) {
  const char* cls = control.windowClass != nullptr ? control.windowClass : "";
  if (strcasecmp(cls, "Static") == 0) return ControlKind::kStatic;
  if (strcasecmp(cls, "Edit") == 0) return ControlKind::kEdit;
  if (strcasecmp(cls, PROGRESS_CLASSA) == 0) return ControlKind::kProgress;
  if (strcasecmp(cls, "Button") == 0) {
    switch (control.style & BS_TYPEMASK) {
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
        return ControlKind::kCheckBox;
      case BS_GROUPBOX:
        return ControlKind::kGroupBox;
      default:
        return ControlKind::kPushButton;
    }
  }
  return ControlKind::kOther;
}

// Never destroyed: windows may still be touched by static destructors of
// the program after main returns.
WindowTable* WindowTable::s_table = nullptr;

WindowTable& WindowTable::Make() {
  if (s_table == nullptr) s_table = new WindowTable();
  return *s_table;
}

WindowTable::WindowTable() { SetLocalWindows(this); }

HWND WindowTable::NewEntry(std::unique_ptr<WindowEntry> entry) {
  const HWND hwnd = kFirstHandle + static_cast<HWND>(m_entries.size()) * 2;
  entry->hwnd = hwnd;
  m_entries.push_back(std::move(entry));
  return hwnd;
}

HWND WindowTable::AddDialog(const DialogTemplateData* tpl, HWND owner) {
  auto dialog = std::make_unique<WindowEntry>();
  dialog->isDialog = true;
  dialog->parent = owner;
  dialog->dialog = tpl;
  dialog->style = tpl->style;
  WindowEntry* made = dialog.get();
  const HWND hwnd = NewEntry(std::move(dialog));
  made->dialogHandle = hwnd;
  for (std::size_t i = 0; i < tpl->controlCount; ++i) {
    const DialogControlTemplate& control = tpl->controls[i];
    auto entry = std::make_unique<WindowEntry>();
    entry->parent = hwnd;
    entry->id = control.id;
    entry->kind = KindOf(control);
    entry->style = control.style;
    entry->control = &control;
    entry->dialogHandle = hwnd;
    const HWND child = NewEntry(std::move(entry));
    Find(hwnd)->children.push_back(child);
  }
  return hwnd;
}

void WindowTable::RemoveDialog(HWND dialog) {
  WindowEntry* entry = Find(dialog);
  if (entry == nullptr || !entry->isDialog) return;
  std::vector<HWND> gone = entry->children;
  gone.push_back(dialog);
  for (HWND hwnd : gone) {
    WindowEntry* e = Find(hwnd);
    if (e->object != nullptr) e->object->m_hWnd = 0;
    if (auto wrapper = m_wrappers.find(hwnd); wrapper != m_wrappers.end()) {
      wrapper->second->m_hWnd = 0;
    }
    m_entries[static_cast<std::size_t>(hwnd - kFirstHandle) / 2].reset();
  }
  // Messages posted to windows that are gone are dropped with them.
  std::erase_if(m_posted, [&](const Posted& p) {
    return std::find(gone.begin(), gone.end(), p.hwnd) != gone.end();
  });
}

HWND WindowTable::FindControl(HWND dialog, int id) {
  const WindowEntry* entry = Find(dialog);
  if (entry == nullptr || !entry->isDialog) return 0;
  for (HWND child : entry->children) {
    if (Find(child)->id == id) return child;
  }
  return 0;
}

HWND WindowTable::DialogOf(HWND hwnd) {
  const WindowEntry* entry = Find(hwnd);
  if (entry == nullptr) return 0;
  return entry->isDialog ? hwnd : entry->parent;
}

CWnd* WindowTable::ObjectOf(HWND hwnd) {
  if (hwnd == 0) return nullptr;
  if (WindowEntry* entry = Find(hwnd); entry != nullptr && entry->object != nullptr) {
    return entry->object;
  }
  std::unique_ptr<CWnd>& wrapper = m_wrappers[hwnd];
  if (!wrapper) {
    // Of the control's own class, so that the usual cast of GetDlgItem's
    // result to CEdit*, CButton*, ... names an object of that class.
    const WindowEntry* entry = Find(hwnd);
    switch (entry != nullptr ? entry->kind : ControlKind::kOther) {
      case ControlKind::kStatic:
        wrapper = std::make_unique<CStatic>();
        break;
      case ControlKind::kEdit:
        wrapper = std::make_unique<CEdit>();
        break;
      case ControlKind::kPushButton:
      case ControlKind::kCheckBox:
      case ControlKind::kGroupBox:
        wrapper = std::make_unique<CButton>();
        break;
      case ControlKind::kProgress:
        wrapper = std::make_unique<CProgressCtrl>();
        break;
      default:
        wrapper = std::make_unique<CWnd>();
        break;
    }
    wrapper->m_hWnd = hwnd;
  }
  return wrapper.get();
}

bool WindowTable::Attach(HWND hwnd, CWnd* object) {
  WindowEntry* entry = Find(hwnd);
  if (entry == nullptr || entry->object != nullptr || object->m_hWnd != 0) return false;
  entry->object = object;
  object->m_hWnd = hwnd;
  return true;
}

void WindowTable::Detach(HWND hwnd, CWnd* object) {
  if (WindowEntry* entry = Find(hwnd); entry != nullptr && entry->object == object) {
    entry->object = nullptr;
  }
  object->m_hWnd = 0;
}

BOOL WindowTable::Enable(HWND hwnd, BOOL enable) {
  if (Find(hwnd) == nullptr) return FALSE;
  Backend& backend = Ui();
  const bool wasDisabled = !backend.IsEnabled(hwnd);
  backend.Enable(hwnd, enable != FALSE);
  return wasDisabled ? TRUE : FALSE;
}

BOOL WindowTable::IsEnabled(HWND hwnd) {
  if (Find(hwnd) == nullptr) return FALSE;
  return Ui().IsEnabled(hwnd) ? TRUE : FALSE;
}

BOOL WindowTable::Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (Find(hwnd) == nullptr) return FALSE;
  m_posted.push_back({hwnd, msg, wParam, lParam});
  return TRUE;
}

void WindowTable::DeliverPosted() {
  while (!m_posted.empty()) {
    const Posted p = m_posted.front();
    m_posted.pop_front();
    Send(p.hwnd, p.msg, p.wParam, p.lParam);
  }
}

inline LRESULT WindowTable::ProgressMessage(WindowEntry& entry, UINT msg, WPARAM wParam,
                                            LPARAM lParam) {
  ProgressState& bar = entry.progress;
  const auto clamp = [&bar](long long value) {
    return static_cast<int>(std::clamp<long long>(value, bar.lower, bar.upper));
  };
  LRESULT result = 0;
  switch (msg) {
    case PBM_SETRANGE: {
      const int lower = LOWORD(static_cast<std::uintptr_t>(lParam));
      const int upper = HIWORD(static_cast<std::uintptr_t>(lParam));
      if (upper < lower) return 0;
      result = MAKELPARAM(static_cast<WORD>(bar.lower), static_cast<WORD>(bar.upper));
      bar.lower = lower;
      bar.upper = upper;
      bar.position = clamp(bar.position);
      break;
    }
    case PBM_SETPOS:
      result = bar.position;
      bar.position = clamp(static_cast<INT_PTR>(wParam));
      break;
    case PBM_STEPIT:
      result = bar.position;
      bar.position = clamp(static_cast<long long>(bar.position) + bar.step);
      break;
    case PBM_SETSTEP:
      result = bar.step;
      bar.step = static_cast<int>(static_cast<INT_PTR>(wParam));
      return result;
    case PBM_GETPOS:
      return bar.position;
    default:
      return 0;
  }
  if (m_paints) Ui().ProgressChanged(entry.hwnd);
  return result;
}

LRESULT WindowTable::Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowEntry* entry = Find(hwnd);
  if (entry == nullptr) return 0;
  Record(*entry, msg, wParam, lParam);
  if (entry->kind == ControlKind::kProgress && msg >= PBM_SETRANGE && msg <= PBM_GETPOS) {
    return ProgressMessage(*entry, msg, wParam, lParam);
  }
  Backend& backend = Ui();
  switch (msg) {
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lParam);
      backend.SetText(hwnd, Cp932ToUtf8(text != nullptr ? text : ""));
      return TRUE;
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(Utf8ToCp932(backend.GetText(hwnd)).size());
    case WM_GETTEXT: {
      char* buffer = reinterpret_cast<char*>(lParam);
      const int size = static_cast<int>(wParam);
      if (buffer == nullptr || size <= 0) return 0;
      const std::string text = Utf8ToCp932(backend.GetText(hwnd));
      std::size_t length = std::min(text.size(), static_cast<std::size_t>(size - 1));
      // Never end inside a double-byte character.
      if (length < text.size() && length > 0 &&
          _mbsbtype(reinterpret_cast<const unsigned char*>(text.c_str()), length - 1) ==
              _MBC_LEAD) {
        --length;
      }
      std::memcpy(buffer, text.data(), length);
      buffer[length] = '\0';
      return static_cast<LRESULT>(length);
    }
    case EM_LIMITTEXT:
      if (entry->kind != ControlKind::kEdit) return 0;
      entry->limit = static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFE));
      backend.SetLimit(hwnd, entry->limit);
      return 0;
    case EM_GETLIMITTEXT:
      return entry->kind == ControlKind::kEdit ? (entry->limit != 0 ? entry->limit : 0x7FFFFFFE)
                                               : 0;
    case EM_SETSEL:
      if (entry->kind != ControlKind::kEdit) return 0;
      backend.SetSelection(hwnd, static_cast<int>(static_cast<INT_PTR>(wParam)),
                           static_cast<int>(lParam), true);
      return 0;
    case BM_GETCHECK:
      return entry->kind == ControlKind::kCheckBox ? backend.GetCheck(hwnd) : 0;
    case BM_SETCHECK:
      if (entry->kind == ControlKind::kCheckBox) backend.SetCheck(hwnd, wParam != 0 ? 1 : 0);
      return 0;
    case BM_CLICK:
      if (entry->kind == ControlKind::kCheckBox) {
        backend.SetCheck(hwnd, backend.GetCheck(hwnd) != 0 ? 0 : 1);
      }
      if (entry->kind == ControlKind::kCheckBox || entry->kind == ControlKind::kPushButton) {
        Send(entry->parent, WM_COMMAND,
             static_cast<WPARAM>(MAKELPARAM(static_cast<WORD>(entry->id), BN_CLICKED)),
             static_cast<LPARAM>(hwnd));
      }
      return 0;
    case WM_COMMAND:
      if (entry->isDialog && entry->object != nullptr) {
        return entry->object->OnCommand(wParam, lParam);
      }
      return 0;
    case WM_CLOSE:
      // A dialog's close box issues the cancel command.
      if (entry->isDialog && entry->object != nullptr) {
        return entry->object->OnCommand(static_cast<WPARAM>(IDCANCEL), 0);
      }
      return 0;
    default:
      return 0;
  }
}

HWND WindowTable::Reparent(HWND child, HWND parent) {
  WindowEntry* entry = Find(child);
  if (entry == nullptr || !entry->isDialog) return 0;
  const HWND previous = entry->parent;
  entry->parent = parent;
  Ui().Reparent(child, parent);
  return previous;
}

}  // namespace uw::ui

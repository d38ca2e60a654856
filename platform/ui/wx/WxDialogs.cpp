// The wx backend: making dialogs from their templates, ending and
// destroying them, and the keys and typing limits of their controls.

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/iconbndl.h>
#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>
#include <cctype>

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/winuser.h"
#include "platform/ui/wx/WxBackendImpl.h"
#include "platform/ui/wx/WxLayout.h"
#include "platform/win/text_convert.h"

namespace uw::ui::wx {
namespace {

// The Windows virtual key of a wx key code; 0 for a key the program never
// sees (lone modifiers, keys without a Windows code here).
int VirtualKey(int code) {
  if (code >= 'A' && code <= 'Z') return code;
  if (code >= 'a' && code <= 'z') return code - 'a' + 'A';
  if (code >= '0' && code <= '9') return code;
  if (code >= WXK_F1 && code <= WXK_F24) return VK_F1 + (code - WXK_F1);
  switch (code) {
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
      return VK_RETURN;
    case WXK_ESCAPE:
      return VK_ESCAPE;
    case WXK_TAB:
      return VK_TAB;
    case WXK_SPACE:
      return VK_SPACE;
    case WXK_BACK:
      return 0x08;
    case WXK_PAGEUP:
      return 0x21;
    case WXK_PAGEDOWN:
      return 0x22;
    case WXK_END:
      return 0x23;
    case WXK_HOME:
      return 0x24;
    case WXK_LEFT:
      return VK_LEFT;
    case WXK_UP:
      return VK_UP;
    case WXK_RIGHT:
      return VK_RIGHT;
    case WXK_DOWN:
      return VK_DOWN;
    case WXK_INSERT:
      return 0x2D;
    case WXK_DELETE:
      return 0x2E;
    default:
      return 0;
  }
}

}  // namespace

bool WxBackend::CreateDialog(const DialogInfo& info) {
  const DialogTemplateData& tpl = *info.tpl;
  long style = 0;
  if ((tpl.style & WS_CAPTION) != 0) style |= wxCAPTION;
  if ((tpl.style & WS_SYSMENU) != 0) style |= wxSYSTEM_MENU | wxCLOSE_BOX;
  if ((tpl.style & DS_SYSMODAL) != 0) style |= wxSTAY_ON_TOP;
  wxWindow* parent = nullptr;
  if (Entry* owner = Find(info.owner); owner != nullptr && owner->isDialog) parent = owner->window;

  auto* dialog =
      new wxDialog(parent, wxID_ANY, FromUtf8(info.title), wxDefaultPosition, wxDefaultSize, style);
  const wxFont font = wx::DialogFont(tpl);
  dialog->SetFont(font);
  const wx::DialogUnits units(dialog, font);
  dialog->SetClientSize(units.X(tpl.cx), units.Y(tpl.cy));

  std::size_t iconCount = 0;
  if (const IconImage* images = GetApplicationIcon(&iconCount); iconCount > 0) {
    wxIconBundle icons;
    for (std::size_t i = 0; i < iconCount; ++i) {
      wxMemoryInputStream stream(images[i].png, images[i].pngSize);
      wxImage image(stream, wxBITMAP_TYPE_PNG);
      if (image.IsOk()) {
        wxIcon icon;
        icon.CopyFromBitmap(wxBitmap(image));
        icons.AddIcon(icon);
      }
    }
    dialog->SetIcons(icons);
  }

  Entry& d = m_entries[info.hwnd];
  d.hwnd = d.dialog = info.hwnd;
  d.isDialog = true;
  d.style = tpl.style;
  d.window = d.frame = d.textTarget = dialog;
  d.text = info.title;
  m_handles[dialog] = info.hwnd;

  for (const ControlInfo& control : info.controls) {
    const wx::MadeControl made = wx::MakeControl(dialog, control, units, font);
    Entry& e = m_entries[control.hwnd];
    e.hwnd = control.hwnd;
    e.dialog = info.hwnd;
    e.id = control.id;
    e.kind = control.kind;
    e.style = control.tpl->style;
    e.window = made.window;
    e.frame = made.frame;
    e.textTarget = made.textTarget;
    e.text = control.text;
    e.progress = control.progress;
    m_handles[made.window] = control.hwnd;
    if (made.textTarget != made.window) m_handles[made.textTarget] = control.hwnd;
    m_entries[info.hwnd].children.push_back(control.hwnd);

    const HWND hwnd = control.hwnd;
    const HWND owner = info.hwnd;
    const int id = control.id;
    made.window->Bind(wxEVT_SET_FOCUS, [this, hwnd](wxFocusEvent& event) {
      m_focus = hwnd;
      event.Skip();
    });
    if (control.kind == ControlKind::kPushButton) {
      made.window->Bind(wxEVT_BUTTON, [this, owner, id](wxCommandEvent&) {
        if (Find(owner) != nullptr) m_events->OnCommand(owner, id, BN_CLICKED);
      });
    } else if (control.kind == ControlKind::kCheckBox) {
      made.window->Bind(wxEVT_CHECKBOX, [this, owner, id](wxCommandEvent&) {
        if (Find(owner) != nullptr) m_events->OnCommand(owner, id, BN_CLICKED);
      });
    } else if (control.kind == ControlKind::kEdit) {
      if ((control.tpl->style & ES_NUMBER) != 0) {
        made.window->Bind(wxEVT_CHAR, [](wxKeyEvent& event) {
          const wxChar c = event.GetUnicodeKey();
          // Digits only: other characters typed are refused, as the edit
          // style asks; keys that type nothing pass.
          if (c != WXK_NONE && c >= 0x20 && !(c >= '0' && c <= '9') && !event.ControlDown() &&
              !event.AltDown()) {
            wxBell();
            return;
          }
          event.Skip();
        });
      }
      made.window->Bind(wxEVT_TEXT, [this, hwnd](wxCommandEvent& event) {
        OnTextChanged(hwnd);
        event.Skip();
      });
    }
  }

  const HWND hwnd = info.hwnd;
  dialog->Bind(wxEVT_CHAR_HOOK, [this, hwnd](wxKeyEvent& event) { OnCharHook(hwnd, event); });
  dialog->Bind(wxEVT_CLOSE_WINDOW, [this, hwnd](wxCloseEvent& event) {
    if (event.CanVeto()) event.Veto();
    // A dialog without a system menu has no close box to press.
    if (Entry* d = Find(hwnd); d != nullptr && (d->style & WS_SYSMENU) != 0) {
      m_events->OnClose(hwnd);
    }
  });
  dialog->CentreOnScreen();
  return true;
}

void WxBackend::DestroyDialog(HWND hwnd) {
  Entry* d = Find(hwnd);
  if (d == nullptr || !d->isDialog) return;
  wxWindow* dialog = d->window;
  for (HWND child : d->children) {
    if (Entry* e = Find(child)) {
      m_handles.erase(e->window);
      m_handles.erase(e->textTarget);
    }
    if (m_focus == child) m_focus = 0;
    Forget(child);
  }
  m_handles.erase(dialog);
  Forget(hwnd);
  dialog->Hide();
  // Deleted when the toolkit next runs idle processing or shuts down;
  // until then it is hidden and unknown here.
  dialog->Destroy();
}

void WxBackend::RunModal(HWND hwnd) {
  Entry* d = Find(hwnd);
  if (d == nullptr) return;
  PushAllProgress();
  static_cast<wxDialog*>(d->window)->ShowModal();
}

void WxBackend::EndDialog(HWND hwnd, int result) {
  Entry* d = Find(hwnd);
  if (d == nullptr) return;
  auto* dialog = static_cast<wxDialog*>(d->window);
  if (dialog->IsModal()) dialog->EndModal(result);
}

void WxBackend::OnTextChanged(HWND hwnd) {
  Entry* e = Find(hwnd);
  if (e == nullptr || e->limit <= 0) return;
  auto* edit = static_cast<wxTextCtrl*>(e->window);
  const std::string cp932 = Utf8ToCp932(ToUtf8(edit->GetValue()));
  if (static_cast<int>(cp932.size()) <= e->limit) return;
  // Typed past the limit: what does not fit is refused, cut between
  // characters, as the edit's limit counts Shift_JIS bytes.
  std::size_t kept = 0;
  while (kept < cp932.size()) {
    const unsigned char c = static_cast<unsigned char>(cp932[kept]);
    const std::size_t length =
        ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && kept + 1 < cp932.size() ? 2 : 1;
    if (kept + length > static_cast<std::size_t>(e->limit)) break;
    kept += length;
  }
  const long insertion = edit->GetInsertionPoint();
  edit->ChangeValue(FromUtf8(Cp932ToUtf8(cp932.substr(0, kept))));
  edit->SetInsertionPoint(std::min(insertion, edit->GetLastPosition()));
  wxBell();
}

void WxBackend::OnCharHook(HWND hwnd, wxKeyEvent& event) {
  const int code = event.GetKeyCode();
  const int vk = VirtualKey(code);
  if (vk == 0 || Find(hwnd) == nullptr) {
    // Lone Shift, Ctrl and Alt presses, and keys the program never sees.
    event.Skip();
    return;
  }
  unsigned modifiers = 0;
  if (event.ShiftDown()) modifiers |= kModShift;
  if (event.ControlDown()) modifiers |= kModControl;
  if (event.AltDown()) modifiers |= kModAlt;
  if (m_events->OnKeyDown(hwnd, vk, modifiers)) return;
  // The dialog's own Esc and Enter handling would end it behind the
  // program's back: those keys never go further.
  if (vk == VK_ESCAPE || vk == VK_RETURN) return;
  if ((modifiers & kModAlt) != 0 && MnemonicFocus(hwnd, vk)) return;
  event.Skip();
}

bool WxBackend::MnemonicFocus(HWND hwnd, int vk) {
  // A label's or group box's mnemonic passes the focus to the next control
  // that takes it; buttons and check boxes have their own.
  Entry* d = Find(hwnd);
  if (d == nullptr) return false;
  for (std::size_t i = 0; i < d->children.size(); ++i) {
    Entry* e = Find(d->children[i]);
    if ((e->kind != ControlKind::kStatic && e->kind != ControlKind::kGroupBox) ||
        MnemonicOf(e->text) != static_cast<char>(vk)) {
      continue;
    }
    for (std::size_t j = i + 1; j < d->children.size(); ++j) {
      Entry* next = Find(d->children[j]);
      if ((next->kind == ControlKind::kEdit || next->kind == ControlKind::kPushButton ||
           next->kind == ControlKind::kCheckBox) &&
          next->window->IsShown() && next->window->IsThisEnabled()) {
        SetFocus(next->hwnd);
        if (next->kind == ControlKind::kEdit) static_cast<wxTextCtrl*>(next->window)->SelectAll();
        return true;
      }
    }
  }
  return false;
}

}  // namespace uw::ui::wx

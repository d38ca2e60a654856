// The backend with real windows: wxWidgets 3.2 on GTK 3.
//
// Dialogs are wxDialogs laid out from their templates (WxLayout). Keys reach
// the framework through a char hook on each dialog before any control sees
// them; what the framework does not take goes on to the controls. The
// progress dialog is painted without a message loop: a repaint runs only
// the toolkit's UI events (paint, size) through an event loop of our own
// and leaves the user's input queued, and raises and repaints are
// coalesced so that a run of a hundred thousand steps costs little.

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/iconbndl.h>
#include <wx/mstream.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

// The generic message box needs the base declarations first.
// clang-format off
#include <wx/msgdlg.h>
#include <wx/generic/msgdlgg.h>
// clang-format on

#include <chrono>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/ui/winuser.h"
#include "platform/ui/wx/WxEntry.h"
#include "platform/ui/wx/WxLayout.h"
#include "platform/win/text_convert.h"

namespace uw::ui {
namespace {

using Clock = std::chrono::steady_clock;

// At most one repaint in this time (about 60 a second).
constexpr auto kRepaintInterval = std::chrono::milliseconds(16);
// At most one raise in this time; a raise activates the window and costs
// far more than a repaint.
constexpr auto kRaiseInterval = std::chrono::milliseconds(250);

wxString FromUtf8(const std::string& text) { return wxString::FromUTF8(text.c_str()); }
std::string ToUtf8(const wxString& text) { return std::string(text.utf8_str()); }

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

char Mnemonic(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
  }
  return 0;
}

class WxBackend : public Backend {
 public:
  WxBackend() : m_loop(std::make_unique<wxGUIEventLoop>()) {}
  ~WxBackend() override { Shutdown(); }

  const char* Name() const override { return "wx"; }
  void SetEvents(BackendEvents* events) override { m_events = events; }

  bool CreateDialog(const DialogInfo& info) override;
  void DestroyDialog(HWND hwnd) override;
  void RunModal(HWND hwnd) override;
  void EndDialog(HWND hwnd, int result) override;

  void SetText(HWND hwnd, const std::string& text) override;
  std::string GetText(HWND hwnd) override;
  void Enable(HWND hwnd, bool enable) override {
    if (Entry* e = Find(hwnd)) e->window->Enable(enable);
  }
  bool IsEnabled(HWND hwnd) override {
    Entry* e = Find(hwnd);
    return e != nullptr && e->window->IsThisEnabled();
  }
  void Show(HWND hwnd, bool show) override;
  bool IsVisible(HWND hwnd) override {
    Entry* e = Find(hwnd);
    return e != nullptr && e->frame->IsShown();
  }
  void SetFocus(HWND hwnd) override {
    if (Entry* e = Find(hwnd); e != nullptr && !e->isDialog) {
      m_focus = hwnd;
      e->window->SetFocus();
    }
  }
  HWND GetFocus() override;
  void SetCheck(HWND hwnd, int check) override {
    if (Entry* e = Find(hwnd)) {
      if (auto* box = dynamic_cast<wxCheckBox*>(e->window)) box->SetValue(check != 0);
    }
  }
  int GetCheck(HWND hwnd) override {
    Entry* e = Find(hwnd);
    auto* box = e != nullptr ? dynamic_cast<wxCheckBox*>(e->window) : nullptr;
    return box != nullptr && box->GetValue() ? 1 : 0;
  }
  void SetLimit(HWND hwnd, int bytes) override {
    if (Entry* e = Find(hwnd)) e->limit = bytes;
  }
  void SetSelection(HWND hwnd, int start, int end, bool scroll) override;
  void ProgressChanged(HWND hwnd) override {
    if (Entry* e = Find(hwnd)) {
      e->progressDirty = true;
      if (Entry* d = Find(e->dialog)) d->progressDirty = true;
    }
  }
  void BringToTop(HWND hwnd) override { Raise(hwnd); }
  void SetForeground(HWND hwnd) override { Raise(hwnd); }
  void Update(HWND hwnd) override;
  void Reparent(HWND, HWND) override {}

  int MessageBox(const MessageBoxRequest& request) override;
  FileChoice ChooseFile(const FileDialogRequest& request) override;
  void SetWaitCursor(bool on) override;
  bool IsModifierDown(unsigned modifier) override {
    if (modifier == kModShift) return wxGetKeyState(WXK_SHIFT);
    if (modifier == kModControl) return wxGetKeyState(WXK_CONTROL);
    if (modifier == kModAlt) return wxGetKeyState(WXK_ALT);
    return false;
  }
  void Shutdown() override;

 private:
  struct Entry {
    HWND hwnd = 0;
    HWND dialog = 0;
    bool isDialog = false;
    int id = 0;
    ControlKind kind = ControlKind::kOther;
    DWORD style = 0;
    wxWindow* window = nullptr;      // the control, or the wxDialog
    wxWindow* frame = nullptr;       // what is shown and hidden
    wxWindow* textTarget = nullptr;  // where its text goes
    std::string text;                // as the program set it (UTF-8, '&' kept)
    const ProgressState* progress = nullptr;
    int limit = 0;
    bool progressDirty = false;
    bool shown = false;  // a dialog shown by Show (the toolkit is not asked each time)
    std::vector<HWND> children;
    Clock::time_point lastRepaint{};
    Clock::time_point lastRaise{};
  };

  // The last entry found is kept: a progress run asks for the same dialog
  // millions of times.
  Entry* Find(HWND hwnd) {
    if (hwnd == m_lastHwnd && hwnd != 0) return m_lastEntry;
    const auto found = m_entries.find(hwnd);
    if (found == m_entries.end()) return nullptr;
    m_lastHwnd = hwnd;
    m_lastEntry = &found->second;
    return m_lastEntry;
  }
  void Forget(HWND hwnd) {
    if (hwnd == m_lastHwnd) m_lastHwnd = 0;
    m_entries.erase(hwnd);
  }
  wxWindow* WindowOf(HWND hwnd) {
    Entry* e = Find(hwnd);
    return e != nullptr ? e->window : nullptr;
  }
  void OnCharHook(HWND dialog, wxKeyEvent& event);
  bool MnemonicFocus(HWND dialog, int vk);
  void OnTextChanged(HWND hwnd);
  void PushProgress(Entry& dialog);
  // Before a modal loop paints: every bar shows its latest numbers.
  void PushAllProgress() {
    for (auto& [hwnd, entry] : m_entries) {
      if (entry.isDialog) PushProgress(entry);
    }
  }
  void Paint(Entry& dialog);
  void Raise(HWND hwnd);

  BackendEvents* m_events = nullptr;
  std::unordered_map<HWND, Entry> m_entries;
  std::unordered_map<wxWindow*, HWND> m_handles;
  std::unique_ptr<wxGUIEventLoop> m_loop;
  HWND m_focus = 0;
  bool m_busy = false;
  HWND m_lastHwnd = 0;
  Entry* m_lastEntry = nullptr;
};

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

void WxBackend::SetText(HWND hwnd, const std::string& text) {
  Entry* e = Find(hwnd);
  if (e == nullptr) return;
  e->text = text;
  const wxString value = FromUtf8(text);
  if (e->isDialog) {
    static_cast<wxDialog*>(e->window)->SetTitle(value);
  } else if (auto* edit = dynamic_cast<wxTextCtrl*>(e->textTarget)) {
    // Text set by the program is not limited and raises no change event.
    edit->ChangeValue(value);
  } else {
    e->textTarget->SetLabel(value);
  }
}

std::string WxBackend::GetText(HWND hwnd) {
  Entry* e = Find(hwnd);
  if (e == nullptr) return std::string();
  if (auto* edit = dynamic_cast<wxTextCtrl*>(e->textTarget)) return ToUtf8(edit->GetValue());
  return e->text;
}

void WxBackend::Show(HWND hwnd, bool show) {
  Entry* e = Find(hwnd);
  if (e == nullptr) return;
  e->shown = show;
  e->frame->Show(show);
  if (e->isDialog && show) {
    PushProgress(*e);
    Paint(*e);
  }
}

HWND WxBackend::GetFocus() {
  if (wxWindow* focus = wxWindow::FindFocus()) {
    for (wxWindow* w = focus; w != nullptr; w = w->GetParent()) {
      const auto found = m_handles.find(w);
      if (found != m_handles.end()) {
        if (Entry* e = Find(found->second); e != nullptr && !e->isDialog) return found->second;
        break;
      }
    }
  }
  return Find(m_focus) != nullptr ? m_focus : 0;
}

void WxBackend::SetSelection(HWND hwnd, int start, int end, bool scroll) {
  Entry* e = Find(hwnd);
  auto* edit = e != nullptr ? dynamic_cast<wxTextCtrl*>(e->window) : nullptr;
  if (edit == nullptr) return;
  if (start < 0) {
    edit->SelectNone();
    return;
  }
  // Byte offsets of the Shift_JIS text to character offsets.
  const std::string cp932 = Utf8ToCp932(ToUtf8(edit->GetValue()));
  const auto chars = [&cp932](int bytes) {
    long count = 0;
    for (std::size_t i = 0; i < cp932.size() && static_cast<int>(i) < bytes; ++count) {
      const unsigned char c = static_cast<unsigned char>(cp932[i]);
      i += ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < cp932.size() ? 2 : 1;
    }
    return count;
  };
  const long from = chars(start);
  const long to = end < 0 ? edit->GetLastPosition() : chars(end);
  edit->SetSelection(from, to);
  if (scroll) edit->ShowPosition(to);
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
        Mnemonic(e->text) != static_cast<char>(vk)) {
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

void WxBackend::PushProgress(Entry& dialog) {
  if (!dialog.progressDirty) return;
  dialog.progressDirty = false;
  for (HWND child : dialog.children) {
    Entry* e = Find(child);
    if (e == nullptr || !e->progressDirty || e->progress == nullptr) continue;
    e->progressDirty = false;
    const ProgressState& bar = *e->progress;
    static_cast<wx::ProgressBar*>(e->window)->SetProgress(bar.position - bar.lower,
                                                          bar.upper - bar.lower);
  }
}

void WxBackend::Paint(Entry& dialog) {
  dialog.lastRepaint = Clock::now();
  dialog.window->Refresh(false);
  // Paint events only: keys and clicks stay queued for the next loop that
  // takes user input. Without an active loop (in the start-up hook) our own
  // loop is made active for the call.
  if (wxEventLoopBase* active = wxEventLoopBase::GetActive()) {
    active->YieldFor(wxEVT_CATEGORY_UI);
  } else {
    wxEventLoopActivator activate(m_loop.get());
    m_loop->YieldFor(wxEVT_CATEGORY_UI);
  }
}

void WxBackend::Update(HWND hwnd) {
  Entry* d = Find(hwnd);
  if (d == nullptr || !d->shown) return;
  if (Clock::now() - d->lastRepaint < kRepaintInterval) return;
  PushProgress(*d);
  Paint(*d);
}

void WxBackend::Raise(HWND hwnd) {
  Entry* d = Find(hwnd);
  if (d == nullptr || !d->shown) return;
  const Clock::time_point now = Clock::now();
  if (now - d->lastRaise < kRaiseInterval) return;
  d->lastRaise = now;
  auto* dialog = static_cast<wxDialog*>(d->window);
  if (!dialog->IsActive()) dialog->Raise();
}

int WxBackend::MessageBox(const MessageBoxRequest& request) {
  long style = wxCENTRE;
  const UINT buttons = request.type & MB_TYPEMASK;
  switch (buttons) {
    case MB_OKCANCEL:
      style |= wxOK | wxCANCEL;
      break;
    case MB_YESNOCANCEL:
      style |= wxYES_NO | wxCANCEL;
      break;
    case MB_YESNO:
      style |= wxYES_NO;
      break;
    default:
      style |= wxOK;
      break;
  }
  switch (request.type & MB_ICONMASK) {
    case MB_ICONERROR:
      style |= wxICON_ERROR;
      break;
    case MB_ICONQUESTION:
      style |= wxICON_QUESTION;
      break;
    case MB_ICONEXCLAMATION:
      style |= wxICON_EXCLAMATION;
      break;
    case MB_ICONINFORMATION:
      style |= wxICON_INFORMATION;
      break;
    default:
      break;
  }
  wxWindow* parent = nullptr;
  if (Entry* owner = Find(request.owner)) {
    Entry* d = Find(owner->dialog);
    if (d != nullptr && d->window->IsShown()) parent = d->window;
  }
  PushAllProgress();
  // The generic box: it shows the icon (the toolkit's own box has none
  // under GTK 3) and the caption inside the box as well as on the frame.
  wxGenericMessageDialog box(parent, FromUtf8(request.text), FromUtf8(request.caption), style);
  const int answer = box.ShowModal();
  switch (answer) {
    case wxID_YES:
      return IDYES;
    case wxID_NO:
      return IDNO;
    case wxID_OK:
      return IDOK;
    default:
      // Esc or the close box: an OK box answers OK, a Yes/No box No.
      if (buttons == MB_OKCANCEL || buttons == MB_YESNOCANCEL) return IDCANCEL;
      return buttons == MB_YESNO ? IDNO : IDOK;
  }
}

FileChoice WxBackend::ChooseFile(const FileDialogRequest& request) {
  wxString wildcard;
  for (const FileFilter& filter : request.filters) {
    if (!wildcard.empty()) wildcard += "|";
    wildcard += FromUtf8(filter.name) + "|" + FromUtf8(filter.pattern);
  }
  if (wildcard.empty()) wildcard = "*";
  wxWindow* parent = nullptr;
  if (Entry* owner = Find(request.owner)) parent = WindowOf(owner->dialog);
  const long style = request.open ? (wxFD_OPEN | wxFD_FILE_MUST_EXIST) : wxFD_SAVE;
  wxFileDialog dialog(parent, FromUtf8(request.title), FromUtf8(request.folderPosix),
                      FromUtf8(request.name), wildcard, style);
  FileChoice choice;
  PushAllProgress();
  if (dialog.ShowModal() != wxID_OK) return choice;
  choice.chosen = true;
  choice.posix = true;
  choice.path = ToUtf8(dialog.GetPath());
  return choice;
}

void WxBackend::SetWaitCursor(bool on) {
  if (on && !m_busy) {
    wxBeginBusyCursor();
  } else if (!on && m_busy) {
    wxEndBusyCursor();
  } else if (on) {
    // Shown again after something (a message box) replaced it.
    wxSetCursor(*wxHOURGLASS_CURSOR);
  }
  m_busy = on;
}

void WxBackend::Shutdown() {
  if (m_busy) {
    wxEndBusyCursor();
    m_busy = false;
  }
  std::vector<HWND> dialogs;
  for (const auto& [hwnd, entry] : m_entries) {
    if (entry.isDialog) dialogs.push_back(hwnd);
  }
  for (HWND hwnd : dialogs) DestroyDialog(hwnd);
}

}  // namespace

std::unique_ptr<Backend> MakeWxBackend() { return std::make_unique<WxBackend>(); }

}  // namespace uw::ui

// The backend with real windows: wxWidgets 3.2 on GTK 3.
//
// Dialogs are wxDialogs laid out from their templates (WxLayout). Keys reach
// the framework through a char hook on each dialog before any control sees
// them; what the framework does not take goes on to the controls. The
// progress dialog is painted without a message loop: a repaint runs only
// the toolkit's UI events (paint, size) through an event loop of our own
// and leaves the user's input queued, and raises and repaints are
// coalesced so that a run of a hundred thousand steps costs little.
//
// This file: the state of windows, painting and raising.

#include <wx/checkbox.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "platform/ui/wx/WxBackendImpl.h"
#include "platform/ui/wx/WxEntry.h"
#include "platform/ui/wx/WxLayout.h"
#include "platform/win/text_convert.h"

namespace uw::ui::wx {

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
  // The entry keeps its caret at the end of the selection in view by
  // itself; moving the caret to show it would drop the selection.
  (void)scroll;
  edit->SetSelection(from, to);
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

}  // namespace uw::ui::wx

namespace uw::ui {

std::unique_ptr<Backend> MakeWxBackend() { return std::make_unique<wx::WxBackend>(); }

}  // namespace uw::ui

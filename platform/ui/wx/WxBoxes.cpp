// The wx backend: message boxes, the file dialog and the wait cursor.

#include <wx/filedlg.h>
#include <wx/utils.h>

#include "platform/ui/winuser.h"
#include "platform/ui/wx/WxBackendImpl.h"

// The generic message box needs the base declarations first.
// clang-format off
#include <wx/msgdlg.h>
#include <wx/generic/msgdlgg.h>
// clang-format on

namespace uw::ui::wx {

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

}  // namespace uw::ui::wx

// Laying a dialog template out in wx: the dialog font with its
// substitution, dialog units to pixels, and the window of each control.
// Only for the sources of platform/ui/wx (it includes wx headers).
#pragma once

#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/window.h>

#include <string>

#include "platform/ui/Backend.h"

namespace uw::ui::wx {

// The installed face that stands in for a template's font face (UTF-8),
// as the system's font substitution table does: "ＭＳ Ｐゴシック" and
// "MS PGothic" become "IPAPGothic", and so on. Unknown faces stay.
std::string SubstituteFace(const std::string& face);

// The dialog font of a template (its face substituted, its point size).
wxFont DialogFont(const DialogTemplateData& tpl);

// Converts dialog units to pixels for a font: a horizontal unit is a
// quarter of the font's average character width, a vertical unit an
// eighth of its height, rounded as Windows rounds them.
class DialogUnits {
 public:
  DialogUnits(wxWindow* window, const wxFont& font);
  int X(int units) const;
  int Y(int units) const;
  wxRect Rect(int x, int y, int cx, int cy) const { return wxRect(X(x), Y(y), X(cx), Y(cy)); }
  int BaseX() const { return m_baseX; }
  int BaseY() const { return m_baseY; }

 private:
  int m_baseX;
  int m_baseY;
};

// The progress bar of the templates, painted as the classic bar: a sunken
// frame filled from the left, smooth or in blocks. (The toolkit's own bar
// is a thin line under the desktop theme, and its look depends on it.)
class ProgressBar : public wxWindow {
 public:
  ProgressBar(wxWindow* parent, wxWindowID id, const wxRect& rect, bool smooth);
  // Shows `position` of `range` (position clamped to 0..range).
  void SetProgress(int position, int range);
  bool AcceptsFocus() const override { return false; }

 private:
  void OnPaint(wxPaintEvent& event);
  bool m_smooth;
  int m_position = 0;
  int m_range = 100;
};

// A control made from a template line.
struct MadeControl {
  wxWindow* window = nullptr;      // the control (what gets the focus)
  wxWindow* frame = nullptr;       // the outermost window made (a label's sunken panel)
  wxWindow* textTarget = nullptr;  // where its text goes
};

// Makes the window of `control` as a child of `dialog`, placed by `units`.
MadeControl MakeControl(wxWindow* dialog, const ControlInfo& control, const DialogUnits& units,
                        const wxFont& font);

}  // namespace uw::ui::wx

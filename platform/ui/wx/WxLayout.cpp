#include "platform/ui/wx/WxLayout.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "platform/ui/commctrl.h"
#include "platform/ui/winuser.h"
#include "platform/win/text_convert.h"

namespace uw::ui::wx {
namespace {

struct Substitution {
  const char* face;
  const char* installed;
};

// The Windows faces the templates may name, and the faces of the Debian
// package fonts-ipafont-gothic (and -mincho) with the same metrics.
constexpr Substitution kSubstitutions[] = {
    {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"MS PGothic", "IPAPGothic"},
    {"ＭＳ ゴシック", "IPAGothic"},    {"MS Gothic", "IPAGothic"},
    {"ＭＳ Ｐ明朝", "IPAPMincho"},     {"MS PMincho", "IPAPMincho"},
    {"ＭＳ 明朝", "IPAMincho"},        {"MS Mincho", "IPAMincho"},
    {"MS UI Gothic", "IPAPGothic"},    {"MS Shell Dlg", "IPAPGothic"},
};

int MulDiv(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  // Rounds half away from zero, as the Windows conversion does.
  return static_cast<int>(product >= 0 ? (product + denominator / 2) / denominator
                                       : (product - denominator / 2) / denominator);
}

wxString FromUtf8(const std::string& text) { return wxString::FromUTF8(text.c_str()); }

}  // namespace

std::string SubstituteFace(const std::string& face) {
  for (const Substitution& s : kSubstitutions) {
    if (face == s.face) return s.installed;
  }
  return face;
}

wxFont DialogFont(const DialogTemplateData& tpl) {
  const std::string face =
      SubstituteFace(tpl.fontFace != nullptr ? uw::Cp932ToUtf8(tpl.fontFace) : std::string());
  const int points = tpl.pointSize > 0 ? tpl.pointSize : 9;
  wxFontInfo info(points);
  if (!face.empty()) info.FaceName(FromUtf8(face));
  return wxFont(info);
}

DialogUnits::DialogUnits(wxWindow* window, const wxFont& font) {
  wxClientDC dc(window);
  dc.SetFont(font);
  wxCoord width = 0;
  wxCoord height = 0;
  dc.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &width, &height);
  m_baseX = (width / 26 + 1) / 2;
  m_baseY = height;
  if (m_baseX <= 0) m_baseX = 7;
  if (m_baseY <= 0) m_baseY = 13;
}

int DialogUnits::X(int units) const { return MulDiv(units, m_baseX, 4); }
int DialogUnits::Y(int units) const { return MulDiv(units, m_baseY, 8); }

ProgressBar::ProgressBar(wxWindow* parent, wxWindowID id, const wxRect& rect, bool smooth)
    : wxWindow(parent, id, rect.GetPosition(), rect.GetSize(),
               wxBORDER_SUNKEN | wxFULL_REPAINT_ON_RESIZE),
      m_smooth(smooth) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &ProgressBar::OnPaint, this);
}

void ProgressBar::SetProgress(int position, int range) {
  range = std::max(range, 1);
  position = std::clamp(position, 0, range);
  if (position == m_position && range == m_range) return;
  m_position = position;
  m_range = range;
  Refresh(false);
}

void ProgressBar::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  const wxSize size = GetClientSize();
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
  dc.DrawRectangle(0, 0, size.x, size.y);
  const int inner = std::max(size.x - 2, 0);
  const int filled = static_cast<int>(static_cast<long long>(inner) * m_position / m_range);
  dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
  if (m_smooth) {
    dc.DrawRectangle(1, 1, filled, size.y - 2);
    return;
  }
  // Blocks two thirds as wide as the bar is high, two pixels apart; a
  // block is drawn once the fill reaches into it.
  const int block = std::max((size.y - 2) * 2 / 3, 2);
  for (int x = 0; x < filled; x += block + 2) {
    dc.DrawRectangle(1 + x, 1, std::min(block, inner - x), size.y - 2);
  }
}

MadeControl MakeControl(wxWindow* dialog, const ControlInfo& control, const DialogUnits& units,
                        const wxFont& font) {
  const DialogControlTemplate& tpl = *control.tpl;
  const wxRect rect = units.Rect(tpl.x, tpl.y, tpl.cx, tpl.cy);
  const wxWindowID id = control.id > 0 ? control.id : wxID_ANY;
  const wxString text = FromUtf8(control.text);
  const bool sunken = (tpl.exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) != 0;
  MadeControl made;

  switch (control.kind) {
    case ControlKind::kStatic: {
      long align = wxALIGN_LEFT;
      if ((tpl.style & SS_TYPEMASK) == SS_RIGHT) align = wxALIGN_RIGHT;
      if ((tpl.style & SS_TYPEMASK) == SS_CENTER) align = wxALIGN_CENTRE_HORIZONTAL;
      wxWindow* parent = dialog;
      wxRect inner = rect;
      if (sunken || (tpl.style & SS_SUNKEN) != 0) {
        // The edge frames the whole rectangle; the text sits inside it.
        wxPanel* panel =
            new wxPanel(dialog, wxID_ANY, rect.GetPosition(), rect.GetSize(), wxBORDER_SUNKEN);
        panel->SetFont(font);
        parent = panel;
        const wxSize client = panel->GetClientSize();
        inner = wxRect(1, 0, client.x - 3, client.y);
        made.frame = panel;
      }
      wxStaticText* label = new wxStaticText(parent, id, text, inner.GetPosition(), inner.GetSize(),
                                             align | wxST_NO_AUTORESIZE);
      label->SetFont(font);
      if ((tpl.style & SS_CENTERIMAGE) != 0) {
        // Vertically centred: as tall as its text, in the middle of the rectangle.
        const int height = label->GetBestSize().y;
        if (height < inner.height) {
          label->SetSize(inner.x, inner.y + (inner.height - height) / 2, inner.width, height);
        }
      }
      made.window = made.frame != nullptr ? made.frame : label;
      made.textTarget = label;
      if (made.frame == nullptr) made.frame = label;
      return made;
    }
    case ControlKind::kEdit: {
      long style = 0;
      if ((tpl.style & ES_RIGHT) != 0) style |= wxTE_RIGHT;
      if ((tpl.style & ES_CENTER) != 0) style |= wxTE_CENTRE;
      wxTextCtrl* edit =
          new wxTextCtrl(dialog, id, text, rect.GetPosition(), rect.GetSize(), style);
      edit->SetFont(font);
      made.window = made.frame = made.textTarget = edit;
      return made;
    }
    case ControlKind::kCheckBox: {
      wxCheckBox* check = new wxCheckBox(dialog, id, text, rect.GetPosition(), rect.GetSize());
      check->SetFont(font);
      made.window = made.frame = made.textTarget = check;
      return made;
    }
    case ControlKind::kGroupBox: {
      wxStaticBox* box = new wxStaticBox(dialog, id, text, rect.GetPosition(), rect.GetSize());
      box->SetFont(font);
      made.window = made.frame = made.textTarget = box;
      return made;
    }
    case ControlKind::kProgress: {
      const ProgressState& bar = *control.progress;
      auto* progress = new ProgressBar(dialog, id, rect, (tpl.style & PBS_SMOOTH) != 0);
      progress->SetProgress(bar.position - bar.lower, bar.upper - bar.lower);
      made.window = made.frame = made.textTarget = progress;
      return made;
    }
    case ControlKind::kPushButton:
    default: {
      wxButton* button =
          new wxButton(dialog, id, text, rect.GetPosition(), rect.GetSize(), wxBU_EXACTFIT);
      button->SetFont(font);
      made.window = made.frame = made.textTarget = button;
      return made;
    }
  }
}

}  // namespace uw::ui::wx

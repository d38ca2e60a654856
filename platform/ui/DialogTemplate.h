// Dialog templates and icons as data, as a resource script describes them.
//
// The program's resources register their templates and the application
// icon from static initialisers; CDialog finds a template by its id. Texts
// (title, control texts, font face) are CP932. Positions and sizes are in
// dialog units: a horizontal unit is a quarter of the dialog font's average
// character width, a vertical unit an eighth of its height.
#pragma once

#include <cstddef>
#include <string>

#include "platform/win/windef.h"

namespace uw {

struct DialogControlTemplate {
  int id;                   // IDC_STATIC (-1) for a control without id
  const char* windowClass;  // "Static", "Edit", "Button", "msctls_progress32"
  const char* text;         // CP932
  DWORD style;
  DWORD exStyle;
  short x, y, cx, cy;  // dialog units
};

struct DialogTemplateData {
  UINT id;
  const char* title;  // CP932
  DWORD style;
  DWORD exStyle;
  short x, y, cx, cy;    // dialog units
  const char* fontFace;  // CP932, with DS_SETFONT
  WORD pointSize;
  const DialogControlTemplate* controls;  // in template (and tab) order
  std::size_t controlCount;
};

// One image of an icon: a PNG file's bytes.
struct IconImage {
  int size;  // width and height in pixels
  const unsigned char* png;
  std::size_t pngSize;
};

// Registers `dialog` under dialog->id (a later registration of the same id
// wins). The data must outlive the process (static tables).
void RegisterDialogTemplate(const DialogTemplateData* dialog);
// The template `id`, or null.
const DialogTemplateData* FindDialogTemplate(UINT id);

// Registers the application icon (the icon group `id`): shown on every
// dialog. The images must outlive the process.
void RegisterApplicationIcon(UINT id, const IconImage* images, std::size_t count);
// The application icon's images (count 0 when none is registered).
const IconImage* GetApplicationIcon(std::size_t* count);

// The mnemonic letter that `&` marks in a control text, upper case
// ("参照(&D)..." gives 'D'; "&&" is a literal ampersand), or 0 for none.
char MnemonicOf(const std::string& text);

}  // namespace uw

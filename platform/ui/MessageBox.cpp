#include "platform/ui/MessageBoxes.h"
#include "platform/ui/WindowTable.h"
#include "platform/ui/afx_app.h"
#include "platform/ui/winuser.h"
#include "platform/win/text_convert.h"

namespace uw::ui {

int ShowMessageBoxUtf8(HWND owner, const std::string& text, const char* captionUtf8, UINT type) {
  MessageBoxRequest request{
      owner, text, captionUtf8 != nullptr ? std::string(captionUtf8) : Cp932ToUtf8(AfxGetAppName()),
      type};
  return CurrentBackend().MessageBox(request);
}

HWND WindowInFront() { return WindowTable::Get().DialogOf(::GetFocus()); }

}  // namespace uw::ui

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  const std::string captionUtf8 = uw::Cp932ToUtf8(caption != nullptr ? caption : "Error");
  return uw::ui::ShowMessageBoxUtf8(owner, uw::Cp932ToUtf8(text != nullptr ? text : ""),
                                    captionUtf8.c_str(), type);
}

int AfxMessageBox(LPCSTR text, UINT type) {
  return MessageBoxA(uw::ui::WindowInFront(), text, AfxGetAppName(), type);
}

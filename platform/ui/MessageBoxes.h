// Message boxes shown by the platform itself (its own messages are UTF-8).
#pragma once

#include <string>

#include "platform/win/windef.h"

namespace uw::ui {

// A message box with a UTF-8 text; a null caption takes the application's
// title. Returns the button chosen, as MessageBoxA does.
int ShowMessageBoxUtf8(HWND owner, const std::string& text, const char* captionUtf8, UINT type);

// The dialog in front: the one holding the focus, else 0.
HWND WindowInFront();

}  // namespace uw::ui

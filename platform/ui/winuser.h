// The Windows user-interface calls and constants the program uses: message
// boxes, key states, focus, showing windows, and the style and message
// numbers of the dialog templates and controls.
//
// Texts handed to these calls are CP932, as the program keeps them; the UI
// backend converts at its edge. The calls on window handles that the program
// also sends to foreign windows (EnableWindow, PostMessageA, SendMessageA,
// SetParent, ...) are declared in platform/win/window_msg.h and included
// here; for the windows of this layer they reach the dialog framework.
#pragma once

#include "platform/win/windef.h"
#include "platform/win/window_msg.h"

// Message box types: buttons (low nibble) and icon (next nibble).
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONINFORMATION = 0x00000040;
constexpr UINT MB_ICONASTERISK = MB_ICONINFORMATION;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONMASK = 0x000000F0;

// Dialog and message box results, and the command ids of the standard
// dialog handling.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDC_STATIC = -1;

// Virtual key codes.
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_F1 = 0x70;
constexpr int VK_F10 = 0x79;
constexpr int VK_F12 = 0x7B;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;

// Window messages beyond those of windef.h.
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_CLICK = 0x00F5;

// Button notification codes (high word of WM_COMMAND's wParam) and states.
constexpr UINT BN_CLICKED = 0;
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

// Window styles.
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_STATICEDGE = 0x00020000;

// Dialog styles.
constexpr DWORD DS_SYSMODAL = 0x0002;
constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_MODALFRAME = 0x0080;

// Edit, static and button control styles.
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NUMBER = 0x2000;
constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_CENTER = 0x0001;
constexpr DWORD SS_RIGHT = 0x0002;
constexpr DWORD SS_TYPEMASK = 0x001F;
constexpr DWORD SS_CENTERIMAGE = 0x0200;
constexpr DWORD SS_SUNKEN = 0x1000;
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_CHECKBOX = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr DWORD BS_TYPEMASK = 0x000F;

// The message to show a message box: the text, the caption and the type
// above. `owner` is the window in front (a dialog of this layer, a foreign
// window, or 0); a dialog of this layer stays disabled while the box is up.
// Returns the id of the button chosen: IDOK, IDYES, IDNO or IDCANCEL. Closing
// a box without choosing gives IDOK for an OK box, IDCANCEL when the box has
// a Cancel button, and IDNO for a Yes/No box (which has no close box).
// A null caption shows "Error".
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// MessageBoxA owned by the window in front, with the application's title as
// caption (the program's file name when there is no application object).
int AfxMessageBox(LPCSTR text, UINT type = MB_OK);

// A message as PreTranslateMessage sees it: for a key, `hwnd` is the window
// with the focus, `message` WM_KEYDOWN (WM_SYSKEYDOWN while Alt is held) and
// `wParam` the virtual key code.
struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// The state of key `vk` when the message being handled was made (the
// current state outside key handling): negative (high bit set) while the
// key is down. VK_SHIFT, VK_CONTROL and VK_MENU are kept; other keys read
// as up.
SHORT GetKeyState(int vk);

// The window of this layer that has the keyboard focus, or 0.
HWND GetFocus();
// Gives the focus to `hwnd`; returns the window that had it.
HWND SetFocus(HWND hwnd);

// Shows (SW_SHOW) or hides (SW_HIDE) a window of this layer; returns whether
// it was visible before.
BOOL ShowWindow(HWND hwnd, int command);
BOOL IsWindowVisible(HWND hwnd);
// The text of a window (a dialog's title, a control's text), CP932.
BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
// Copies at most size - 1 bytes and a NUL (never half a double-byte
// character); returns the bytes copied.
int GetWindowTextA(HWND hwnd, LPSTR buffer, int size);
int GetWindowTextLengthA(HWND hwnd);
// The control `id` of dialog `dialog`, or 0.
HWND GetDlgItem(HWND dialog, int id);
// The id of control `hwnd`; 0 for a dialog or an unknown window.
int GetDlgCtrlID(HWND hwnd);
// Destroys a window of this layer and its controls.
BOOL DestroyWindow(HWND hwnd);

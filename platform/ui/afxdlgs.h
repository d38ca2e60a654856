// CFileDialog: the platform's dialog to choose a file to open or save.
//
// The program fills the filter, default extension, initial file name and
// flags in the constructor and the title and initial folder in m_ofn, runs
// DoModal and reads GetPathName. Paths are Windows paths (CP932); the
// backend shows the mapped folders and maps the choice back.
//
// Flags: OFN_PATHMUSTEXIST refuses a name whose folder does not exist (the
// dialog stays open); OFN_FILEMUSTEXIST does the same for a missing file in
// an open dialog only, since a save dialog exists to name a new file;
// OFN_HIDEREADONLY and OFN_NOCHANGEDIR are always in effect here (there is
// no read-only box, and the current folder never changes).
#pragma once

#include "platform/ui/afx_wnd.h"

constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

// The settings the program may change after construction.
struct OPENFILENAMEA {
  HWND hwndOwner = 0;
  LPCSTR lpstrTitle = nullptr;       // null: the platform's title
  LPCSTR lpstrInitialDir = nullptr;  // null or "": the platform's default
  LPCSTR lpstrDefExt = nullptr;      // without the dot
  DWORD Flags = 0;
};

class CFileDialog {
 public:
  // `filter`: pairs of display name and pattern separated by '|', ended by
  // "||" ("Xml Files (*.xml)|*.xml||"). `defExt` (without the dot) is added
  // to a chosen name that has no extension.
  CFileDialog(BOOL openFileDialog, LPCSTR defExt = nullptr, LPCSTR fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY, LPCSTR filter = nullptr, CWnd* parent = nullptr);
  CFileDialog(const CFileDialog&) = delete;
  CFileDialog& operator=(const CFileDialog&) = delete;

  // IDOK when the user chose a file, IDCANCEL when the dialog was
  // cancelled or could not open.
  INT_PTR DoModal();
  // The full Windows path of the chosen file (empty before DoModal).
  CString GetPathName() const;
  CString GetFileName() const;

  OPENFILENAMEA m_ofn;

 private:
  BOOL m_bOpenFileDialog;
  CString m_strDefExt;
  CString m_strFileName;
  CString m_strFilter;
  CString m_strPathName;
};

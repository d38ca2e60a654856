#include <sys/stat.h>

#include <string>

#include "platform/ui/Backend.h"
#include "platform/ui/MessageBoxes.h"
#include "platform/ui/afxdlgs.h"
#include "platform/win/drive_map.h"
#include "platform/win/text_convert.h"
#include "platform/win/win_path.h"

namespace {

// Offset just past the last '\' or '/' of a CP932 path (0 when none),
// stepping over double-byte characters.
std::size_t NameOffset(const std::string& path) {
  std::size_t offset = 0;
  for (std::size_t i = 0; i < path.size();) {
    const std::size_t length = uw::CharLenAt(path.c_str(), i);
    if (length == 1 && uw::IsWinSeparator(path[i])) offset = i + 1;
    i += length;
  }
  return offset;
}

bool HasRoot(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return true;
  return !path.empty() && uw::IsWinSeparator(path[0]);
}

bool IsPosixFolder(const std::string& winPath) {
  std::string posix;
  struct stat info {};
  return uw::WinPathToPosix(winPath.c_str(), &posix) && stat(posix.c_str(), &info) == 0 &&
         S_ISDIR(info.st_mode);
}

bool IsPosixFile(const std::string& winPath) {
  std::string posix;
  struct stat info {};
  return uw::WinPathToPosix(winPath.c_str(), &posix) && stat(posix.c_str(), &info) == 0 &&
         !S_ISDIR(info.st_mode);
}

std::vector<uw::ui::FileFilter> ParseFilter(const std::string& cp932) {
  std::vector<std::string> parts;
  std::string current;
  for (std::size_t i = 0; i < cp932.size();) {
    const std::size_t length = uw::CharLenAt(cp932.c_str(), i);
    if (length == 1 && cp932[i] == '|') {
      parts.push_back(current);
      current.clear();
    } else {
      current.append(cp932, i, length);
    }
    i += length;
  }
  if (!current.empty()) parts.push_back(current);
  std::vector<uw::ui::FileFilter> filters;
  for (std::size_t i = 0; i + 1 < parts.size() && !parts[i].empty(); i += 2) {
    filters.push_back({uw::Cp932ToUtf8(parts[i]), uw::Cp932ToUtf8(parts[i + 1])});
  }
  return filters;
}

}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCSTR defExt, LPCSTR fileName, DWORD flags,
                         LPCSTR filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog),
      m_strDefExt(defExt),
      m_strFileName(fileName),
      m_strFilter(filter) {
  m_ofn.hwndOwner = parent != nullptr ? parent->m_hWnd : 0;
  m_ofn.lpstrDefExt = defExt != nullptr ? m_strDefExt.operator LPCTSTR() : nullptr;
  m_ofn.Flags = flags;
}

INT_PTR CFileDialog::DoModal() {
  uw::ui::FileDialogRequest request;
  request.owner = m_ofn.hwndOwner;
  request.open = m_bOpenFileDialog != FALSE;
  request.title = m_ofn.lpstrTitle != nullptr ? uw::Cp932ToUtf8(m_ofn.lpstrTitle)
                                              : (request.open ? "開く" : "名前を付けて保存");
  std::string folder = m_ofn.lpstrInitialDir != nullptr ? m_ofn.lpstrInitialDir : "";
  if (folder.empty()) uw::GetCurrentWinFolder(&folder);
  request.folder = uw::Cp932ToUtf8(folder);
  if (!folder.empty()) uw::WinPathToPosix(folder.c_str(), &request.folderPosix);
  request.name = uw::Cp932ToUtf8(m_strFileName.str());
  request.filters = ParseFilter(m_strFilter.str());
  request.defExt = m_ofn.lpstrDefExt != nullptr ? uw::Cp932ToUtf8(m_ofn.lpstrDefExt) : "";

  uw::ui::Backend& backend = uw::ui::CurrentBackend();
  for (;;) {
    const uw::ui::FileChoice choice = backend.ChooseFile(request);
    if (!choice.chosen) return IDCANCEL;

    std::string chosen;
    if (choice.posix) {
      if (!uw::PosixPathToWin(choice.path, &chosen)) {
        uw::ui::ShowMessageBoxUtf8(request.owner,
                                   choice.path + "\nこの場所はドライブに割り当てられていません。",
                                   request.title.c_str(), MB_OK | MB_ICONEXCLAMATION);
        continue;
      }
    } else {
      chosen = uw::Utf8ToCp932(choice.path);
    }
    if (!HasRoot(chosen) && !folder.empty()) {
      // "C:" names the current folder of drive C:, so the name follows the
      // colon directly.
      const bool separated = NameOffset(folder) == folder.size() || folder.back() == ':';
      chosen = folder + (separated ? "" : "\\") + chosen;
    }
    if (!m_strDefExt.IsEmpty() && chosen.find('.', NameOffset(chosen)) == std::string::npos) {
      chosen += ".";
      chosen += m_strDefExt.str();
    }
    std::string full;
    if (!uw::GetFullWinPath(chosen.c_str(), &full)) full = chosen;
    const std::string folderPart = full.substr(0, NameOffset(full));

    const char* problem = nullptr;
    if (NameOffset(full) == full.size()) {
      problem = "ファイル名を入力してください。";
    } else if ((m_ofn.Flags & OFN_PATHMUSTEXIST) != 0 && !IsPosixFolder(folderPart)) {
      problem = "フォルダが存在しません。\nフォルダ名を確かめてください。";
    } else if (request.open && (m_ofn.Flags & OFN_FILEMUSTEXIST) != 0 && !IsPosixFile(full)) {
      problem = "ファイルが見つかりません。\nファイル名を確かめてください。";
    }
    if (problem != nullptr) {
      uw::ui::ShowMessageBoxUtf8(request.owner, uw::Cp932ToUtf8(full) + "\n" + problem,
                                 request.title.c_str(), MB_OK | MB_ICONEXCLAMATION);
      request.name = uw::Cp932ToUtf8(full.substr(NameOffset(full)));
      continue;
    }
    m_strPathName = full.c_str();
    return IDOK;
  }
}

CString CFileDialog::GetPathName() const { return m_strPathName; }

CString CFileDialog::GetFileName() const {
  const std::string& path = m_strPathName.str();
  return CString(path.substr(NameOffset(path)).c_str());
}

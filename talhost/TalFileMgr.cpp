// The host folder manager ClFileMgr: the host folders of output files (type
// 0) and of the programs' saved settings (type 1), from [host] folder0 and
// folder1 of host.ini.
#include "host/TalFileMgr.h"

#include <cstring>
#include <string>

#include "platform/win/mbstring.h"
#include "talhost/HostPaths.h"
#include "talhost/HostText.h"

ClFileMgr* ClFileMgr::Inst() {
  static ClFileMgr* instance = new ClFileMgr;
  return instance;
}

const char* ClFileMgr::GetAppFolderPath(_FolderType type) {
  static const char kNone[] = "";
  if (type != _FolderType_Output && type != _FolderType_Env) return kNone;
  char* folder = m_szFolder[type];
  std::memset(folder, 0, sizeof(m_szFolder[type]));

  std::string path = talhost::ToCp932(
      talhost::ReadHostSetting(type == _FolderType_Output ? "folder0" : "folder1"));
  if (path.empty()) return folder;
  // The program appends file names directly, so the folder ends in a real
  // backslash; a trail byte 0x5C of a double-byte character is no separator.
  const auto* bytes = reinterpret_cast<const unsigned char*>(path.c_str());
  const unsigned char* last = bytes + path.size() - 1;
  if (*last != '\\' || _ismbstrail(bytes, last) == -1) path += '\\';
  // A folder that does not fit is no folder: cutting it would name another.
  if (path.size() >= sizeof(m_szFolder[type])) return folder;
  std::memcpy(folder, path.data(), path.size());
  return folder;
}

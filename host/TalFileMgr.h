// Host folder manager (module TalFileMgr).
#pragma once

class ClFileMgr {
 public:
  enum _FolderType {
    _FolderType_Output = 0,  // default folder of output files
    _FolderType_Env = 1,     // folder of the programs' saved settings
  };

  static ClFileMgr* Inst();

  // The host folder of `type` as a Windows path (CP932) ending in a
  // backslash, or "" when the host has none. The text stays valid until the
  // connection is released; the caller copies it and never frees it.
  const char* GetAppFolderPath(_FolderType type);

 private:
  ClFileMgr() = default;
  char m_szFolder[2][261] = {};
};

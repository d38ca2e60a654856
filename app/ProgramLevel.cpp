// The program level check against the statement program's level file.

#include <cstring>

#include "app/AppTexts.h"
#include "app/UchiwakeApp.h"
#include "host/TalLink.h"
#include "platform/win/crt.h"
#include "platform/win/crt_io.h"
#include "platform/win/mbstring.h"
#include "platform/win/profile.h"
#include "platform/win/shlwapi.h"
#include "platform/win/format.h"

namespace {

// Level of this linking component that the statement program must expect.
constexpr int kComponentLevel = 1;

constexpr char kLevelFileName[] = "VadidaroDef.ini";
constexpr char kLevelSection[] = "ProgramLevel";
constexpr char kLevelKey[] = "UG13_U";

// Outcome codes of reading the level file.
enum LevelOutcome {
  kLevelBadEnvironment = -1,  // no file, or an empty value
  kLevelAccepted = 0,
  kLevelStatementTooOld = 1,  // the level reads below 1
  kLevelComponentTooOld = 2,  // the level reads 2 or more
};

struct LevelMessage {
  int outcome;
  const char* text;
};

const LevelMessage kLevelMessages[] = {
    {kLevelBadEnvironment, kLevelMsgBadEnvironment},
    {kLevelStatementTooOld, kLevelMsgStatementTooOld},
    {kLevelComponentTooOld, kLevelMsgComponentTooOld},
};

int ReadLevelOutcome() {
  char folder[261];
  std::memset(folder, 0, sizeof(folder));
  if (_getcwd(folder, 261) == nullptr) folder[0] = '\0';

  char path[517];
  std::memset(path, 0, sizeof(path));
  std::size_t length = uw::CutToCharBoundary(folder, sizeof(path) - 1);
  std::memcpy(path, folder, length);
  if (length > 0) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(path);
    if (path[length - 1] == '\\') {
      // A backslash that is the trail byte of a double-byte character does
      // not end the folder name: a separator still has to follow.
      if (_ismbstrail(bytes, bytes + length - 1) == -1) path[length++] = '\\';
    } else if (length < 516) {
      path[length++] = '\\';
    }
  }
  wnsprintfA(path + length, static_cast<int>(sizeof(path) - length), "%s", kLevelFileName);

  if (PathFileExistsA(path) != 1) return kLevelBadEnvironment;

  char value[16];
  std::memset(value, 0, sizeof(value));
  GetPrivateProfileStringA(kLevelSection, kLevelKey, "1", value, sizeof(value), path);
  if (value[0] == '\0') return kLevelBadEnvironment;
  const int level = win::atoi(value);
  if (level == kComponentLevel) return kLevelAccepted;
  return level > kComponentLevel ? kLevelComponentTooOld : kLevelStatementTooOld;
}

}  // namespace

int CUchiwakeApp::CheckProgramLevel(int showMessage) {
  const int outcome = ReadLevelOutcome();
  for (const LevelMessage& message : kLevelMessages) {
    if (message.outcome != outcome) continue;
    if (showMessage != 0) {
      ClTalConnect::Inst()->DispMsg(m_hHostWnd, message.text, kAppCaption,
                                    0x30 /* MB_ICONEXCLAMATION */);
    }
    return 0;
  }
  return 1;
}

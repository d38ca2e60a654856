#include "platform/win/prefix.h"

#include <cstdlib>

namespace uw {

std::string GetPrefixFolder() {
  std::string folder;
  if (const char* prefix = std::getenv("UCHIWAKE_PREFIX"); prefix != nullptr && *prefix != '\0') {
    folder = prefix;
  } else if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != '\0') {
    folder = std::string(data) + "/uchiwake";
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    folder = std::string(home) + "/.local/share/uchiwake";
  } else {
    folder = "./.uchiwake";
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::string GetPrefixPath(const std::string& relative) {
  return GetPrefixFolder() + "/" + relative;
}

}  // namespace uw

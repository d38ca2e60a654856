#include "talhost/MessageText.h"

#include <cstring>

#include "platform/win/mbstring.h"
#include "talhost/HostPaths.h"
#include "talhost/HostText.h"

namespace talhost {
namespace {

constexpr char kPlaceholder[] = "ES_APRPACKAGENAME";
constexpr std::size_t kPlaceholderLength = sizeof(kPlaceholder) - 1;

}  // namespace

std::string PackageNameCp932() {
  const std::string package = ReadHostSetting("package");
  return ToCp932(package.empty() ? kDefaultPackageName : package);
}

std::string ReplacePackageName(const std::string& text, const std::string& package) {
  std::string result;
  std::size_t i = 0;
  while (i < text.size() && result.size() <= kMaxMessageBytes) {
    if (text.compare(i, kPlaceholderLength, kPlaceholder) == 0) {
      result += package;
      i += kPlaceholderLength;
      continue;
    }
    const bool pair = _ismbblead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
                      _ismbbtrail(static_cast<unsigned char>(text[i + 1]));
    const std::size_t step = pair ? 2 : 1;
    result.append(text, i, step);
    i += step;
  }
  if (result.size() > kMaxMessageBytes) {
    result.resize(uw::CutToCharBoundary(result.c_str(), kMaxMessageBytes));
  }
  return result;
}

}  // namespace talhost

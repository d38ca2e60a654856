#include "talhost/HostText.h"

#include <cstring>

#include "platform/win/mbstring.h"
#include "platform/win/text_convert.h"

namespace talhost {

void CopyToField(const std::string& utf8, char* field, std::size_t size) {
  std::memset(field, 0, size);
  const std::string cp932 = uw::Utf8ToCp932(utf8);
  // A NUL inside the converted text ends it, as it would in the record.
  const std::size_t length = uw::CutToCharBoundary(cp932.c_str(), size - 1);
  std::memcpy(field, cp932.data(), length);
}

std::string ToCp932(const std::string& utf8) { return uw::Utf8ToCp932(utf8); }

std::string ToUtf8(const std::string& cp932) { return uw::Cp932ToUtf8(cp932); }

}  // namespace talhost

#include "platform/win/text_convert.h"

#include <errno.h>
#include <iconv.h>

#include <cstddef>

namespace uw {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// One converter per direction and thread, opened on first use: opening one
// costs far more than a short conversion.
class Converter {
 public:
  Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
  ~Converter() {
    if (m_cd != kNoConverter) iconv_close(m_cd);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  iconv_t get() const { return m_cd; }

 private:
  iconv_t m_cd;
};

bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrail(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Length of the well-formed UTF-8 sequence at `p` (at most `left` bytes),
// 0 when the bytes there are not one.
std::size_t Utf8SequenceLength(const unsigned char* p, std::size_t left) {
  const unsigned char b = p[0];
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    if (b == 0xE0) low = 0xA0;   // no overlong forms
    if (b == 0xED) high = 0x9F;  // no surrogates
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (left < length || p[1] < low || p[1] > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (p[i] < 0x80 || p[i] > 0xBF) return 0;
  }
  return length;
}

// What to write for the bytes at `p` that iconv refused, and how many
// bytes that replaces.
using ReplaceFn = std::size_t (*)(const unsigned char* p, std::size_t left, std::string* out);

std::size_t ReplaceCp932(const unsigned char* p, std::size_t left, std::string* out) {
  out->append("\xEF\xBF\xBD");  // U+FFFD
  // A pair the table does not assign is one character; a stray lead byte is
  // one byte, and what follows it is converted on its own.
  return (left >= 2 && IsLead(p[0]) && IsTrail(p[1])) ? 2 : 1;
}

std::size_t ReplaceUtf8(const unsigned char* p, std::size_t left, std::string* out) {
  out->push_back('?');
  const std::size_t length = Utf8SequenceLength(p, left);
  return length > 0 ? length : 1;
}

std::string Convert(iconv_t cd, std::string_view input, ReplaceFn replace) {
  std::string out;
  const auto* in = reinterpret_cast<const unsigned char*>(input.data());
  std::size_t inLeft = input.size();
  if (cd == kNoConverter) {
    // No table on this system: keep ASCII, replace the rest.
    while (inLeft > 0) {
      std::size_t used = 1;
      if (*in < 0x80) {
        out.push_back(static_cast<char>(*in));
      } else {
        used = replace(in, inLeft, &out);
      }
      in += used;
      inLeft -= used;
    }
    return out;
  }
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string chunk(input.size() * 3 / 2 + 16, '\0');
  while (inLeft > 0) {
    char* inPtr = const_cast<char*>(reinterpret_cast<const char*>(in));
    char* outPtr = chunk.data();
    std::size_t outLeft = chunk.size();
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    out.append(chunk.data(), chunk.size() - outLeft);
    in = reinterpret_cast<const unsigned char*>(inPtr);
    if (result != static_cast<std::size_t>(-1)) break;
    if (error == E2BIG) continue;
    // EILSEQ, or EINVAL for a sequence cut off at the end of the input.
    std::size_t used = replace(in, inLeft, &out);
    if (error == EINVAL || used > inLeft) used = inLeft;
    in += used;
    inLeft -= used;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  thread_local Converter converter("UTF-8", "CP932");
  return Convert(converter.get(), cp932, ReplaceCp932);
}

std::string Utf8ToCp932(std::string_view utf8) {
  thread_local Converter converter("CP932", "UTF-8");
  return Convert(converter.get(), utf8, ReplaceUtf8);
}

}  // namespace uw

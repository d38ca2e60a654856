#include "platform/win/format.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <string>

#include "platform/win/mbstring.h"

namespace {

// Collects the formatted text, keeping at most `limit` + 1 bytes: the one
// byte past the limit tells the final cut that the text went on.
class Output {
 public:
  explicit Output(std::size_t limit) : m_keep(limit + 1) {}
  void Append(const char* text, std::size_t length) {
    const std::size_t room = m_keep - m_text.size();
    m_text.append(text, length < room ? length : room);
  }
  void Repeat(char c, std::size_t count) {
    const std::size_t room = m_keep - m_text.size();
    m_text.append(count < room ? count : room, c);
  }
  bool Full() const { return m_text.size() >= m_keep; }
  const std::string& text() const { return m_text; }

 private:
  std::size_t m_keep;
  std::string m_text;
};

enum class Size { kDefault, kShort, kLong, kInt64 };

struct Conversion {
  bool left = false;
  bool alternate = false;
  bool zero = false;
  std::size_t width = 0;
  bool hasPrecision = false;
  std::size_t precision = 0;
  Size size = Size::kDefault;
};

// Widths past any buffer only cost time; clamp them so the parse cannot
// overflow.
constexpr std::size_t kMaxWidth = 1u << 20;

std::size_t ParseNumber(const char** p) {
  std::size_t value = 0;
  while (**p >= '0' && **p <= '9') {
    if (value < kMaxWidth) value = value * 10 + static_cast<std::size_t>(**p - '0');
    ++*p;
  }
  return value < kMaxWidth ? value : kMaxWidth;
}

// Digits of `magnitude` in `radix` into the end of `digits`; returns the
// first digit.
char* Digits(std::uint64_t magnitude, unsigned radix, bool upper, char* end) {
  const char* set =
      upper ? "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ" : "0123456789abcdefghijklmnopqrstuvwxyz";
  char* p = end;
  do {
    *--p = set[magnitude % radix];
    magnitude /= radix;
  } while (magnitude != 0);
  return p;
}

void PutPadded(Output* out, const Conversion& conversion, const char* prefix,
               std::size_t prefixLength, std::size_t zeros, const char* body,
               std::size_t bodyLength) {
  const std::size_t length = prefixLength + zeros + bodyLength;
  const std::size_t pad = conversion.width > length ? conversion.width - length : 0;
  if (!conversion.left && !conversion.zero) out->Repeat(' ', pad);
  out->Append(prefix, prefixLength);
  if (!conversion.left && conversion.zero) out->Repeat('0', pad);
  out->Repeat('0', zeros);
  out->Append(body, bodyLength);
  if (conversion.left) out->Repeat(' ', pad);
}

void PutInteger(Output* out, Conversion conversion, char type, va_list* args) {
  const bool isSigned = type == 'd' || type == 'i';
  bool negative = false;
  std::uint64_t magnitude = 0;
  if (isSigned) {
    std::int64_t value = 0;
    switch (conversion.size) {
      case Size::kInt64:
        value = va_arg(*args, std::int64_t);
        break;
      case Size::kShort:
        value = static_cast<short>(va_arg(*args, int));
        break;
      default:
        value = va_arg(*args, int);
        break;
    }
    negative = value < 0;
    magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  } else {
    switch (conversion.size) {
      case Size::kInt64:
        magnitude = va_arg(*args, std::uint64_t);
        break;
      case Size::kShort:
        magnitude = static_cast<unsigned short>(va_arg(*args, unsigned));
        break;
      default:
        magnitude = va_arg(*args, unsigned);
        break;
    }
  }
  char buffer[32];
  char* end = buffer + sizeof buffer;
  const bool hex = type == 'x' || type == 'X';
  char* first = Digits(magnitude, hex ? 16 : 10, type == 'X', end);
  std::size_t count = static_cast<std::size_t>(end - first);
  // A precision of 0 prints nothing for the value 0, as in C.
  if (conversion.hasPrecision && conversion.precision == 0 && magnitude == 0) count = 0;
  const std::size_t zeros =
      conversion.hasPrecision && conversion.precision > count ? conversion.precision - count : 0;
  if (conversion.hasPrecision) conversion.zero = false;
  const char* prefix = "";
  if (negative) prefix = "-";
  if (hex && conversion.alternate && magnitude != 0) prefix = type == 'X' ? "0X" : "0x";
  PutPadded(out, conversion, prefix, std::strlen(prefix), zeros, end - count, count);
}

void Format(Output* out, const char* format, va_list args) {
  va_list ap;
  va_copy(ap, args);
  for (const char* p = format; *p != '\0' && !out->Full();) {
    if (*p != '%') {
      const char* next = std::strchr(p, '%');
      const std::size_t run = next != nullptr ? static_cast<std::size_t>(next - p) : std::strlen(p);
      out->Append(p, run);
      p += run;
      continue;
    }
    ++p;
    Conversion conversion;
    for (;; ++p) {
      if (*p == '-') {
        conversion.left = true;
      } else if (*p == '#') {
        conversion.alternate = true;
      } else if (*p == '0') {
        conversion.zero = true;
      } else {
        break;
      }
    }
    if (conversion.left) conversion.zero = false;
    conversion.width = ParseNumber(&p);
    if (*p == '.') {
      ++p;
      conversion.hasPrecision = true;
      conversion.precision = ParseNumber(&p);
    }
    if (*p == 'h') {
      conversion.size = Size::kShort;
      ++p;
    } else if (*p == 'l') {
      conversion.size = Size::kLong;
      ++p;
    } else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
      conversion.size = Size::kInt64;
      p += 3;
    }
    const char type = *p;
    if (type == '\0') break;
    ++p;
    switch (type) {
      case 'd':
      case 'i':
      case 'u':
      case 'x':
      case 'X':
        PutInteger(out, conversion, type, &ap);
        break;
      case 'c': {
        const char c = static_cast<char>(va_arg(ap, int));
        conversion.zero = false;
        PutPadded(out, conversion, "", 0, 0, &c, 1);
        break;
      }
      case 's': {
        const char* text = va_arg(ap, const char*);
        if (text == nullptr) text = "(null)";
        const std::size_t length = conversion.hasPrecision
                                       ? uw::CutToCharBoundary(text, conversion.precision)
                                       : std::strlen(text);
        conversion.zero = false;
        PutPadded(out, conversion, "", 0, 0, text, length);
        break;
      }
      default:  // "%%" and unknown types: the character itself
        out->Append(&type, 1);
        break;
    }
  }
  va_end(ap);
}

// Formats with at most `limit` bytes kept and stores the result, cut on a
// character boundary, with its NUL. Returns the stored length.
int FormatInto(char* buffer, std::size_t limit, const char* format, va_list args) {
  if (format == nullptr) {
    buffer[0] = '\0';
    return 0;
  }
  Output out(limit);
  Format(&out, format, args);
  const std::size_t length = uw::CutToCharBoundary(out.text().c_str(), limit);
  std::memcpy(buffer, out.text().data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

}  // namespace

int wsprintfA(LPSTR buffer, LPCSTR format, ...) {
  if (buffer == nullptr) return 0;
  va_list args;
  va_start(args, format);
  const int result = FormatInto(buffer, WSPRINTF_LIMIT - 1, format, args);
  va_end(args);
  return result;
}

int wnsprintfA(LPSTR buffer, int size, LPCSTR format, ...) {
  if (buffer == nullptr || size <= 0) return -1;
  va_list args;
  va_start(args, format);
  const int result = FormatInto(buffer, static_cast<std::size_t>(size) - 1, format, args);
  va_end(args);
  return result;
}

namespace {

// Text of `value` in `radix` into `digits` (at least 66 bytes); its length.
std::size_t Int64Text(std::int64_t value, int radix, char* digits) {
  const bool negative = radix == 10 && value < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  char scratch[66];
  char* end = scratch + sizeof scratch;
  char* first = Digits(magnitude, static_cast<unsigned>(radix), false, end);
  std::size_t length = 0;
  if (negative) digits[length++] = '-';
  const std::size_t count = static_cast<std::size_t>(end - first);
  std::memcpy(digits + length, first, count);
  length += count;
  digits[length] = '\0';
  return length;
}

bool ValidRadix(int radix) { return radix >= 2 && radix <= 36; }

}  // namespace

char* _i64toa(std::int64_t value, char* buffer, int radix) {
  if (buffer == nullptr) return nullptr;
  if (!ValidRadix(radix)) {
    buffer[0] = '\0';
    return buffer;
  }
  Int64Text(value, radix, buffer);
  return buffer;
}

int _i64toa_s(std::int64_t value, char* buffer, std::size_t size, int radix) {
  if (buffer == nullptr || size == 0) return EINVAL;
  if (!ValidRadix(radix)) {
    buffer[0] = '\0';
    return EINVAL;
  }
  char digits[66];
  const std::size_t length = Int64Text(value, radix, digits);
  if (length + 1 > size) {
    buffer[0] = '\0';
    return ERANGE;
  }
  std::memcpy(buffer, digits, length + 1);
  return 0;
}

#include "report/XmlWriter.h"

#include <cstring>

#include "platform/win/afxfile.h"
#include "platform/win/format.h"
#include "platform/win/mbstring.h"

namespace {

constexpr std::size_t kAttributeSize = 256;  // one formatted attribute and its NUL
constexpr std::size_t kEscapeSize = 256;     // escaped text and its NUL

// The entity that replaces `c`, or null when `c` stands for itself.
const char* EntityFor(unsigned char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '>':
      return "&gt;";
    case '<':
      return "&lt;";
    case '"':
      return "&quot;";
    case '\'':
      return "&apos;";
    default:
      return nullptr;
  }
}

// Bytes that `c` takes once escaped.
std::size_t EscapedWidth(unsigned char c) {
  const char* entity = EntityFor(c);
  return entity != nullptr ? std::strlen(entity) : 1;
}

// Bytes of the character that starts at `p`: 2 for a lead byte followed by a
// trail byte, 0 for a lead byte followed by anything else (a stray byte that
// no cut may keep at the end), 1 otherwise.
std::size_t CharWidth(const unsigned char* p) {
  if (!_ismbblead(p[0])) return 1;
  return _ismbbtrail(p[1]) ? 2 : 0;
}

// Assembles one line in the caller's buffer, never past its end. Once a piece
// does not fit, the line is spoilt and nothing more is appended.
class LineBuilder {
 public:
  LineBuilder(char* line, std::size_t size, int level)
      : m_pLine(line), m_nSize(size), m_nLength(0), m_bFits(line != nullptr && size > 0) {
    if (!m_bFits) return;
    m_pLine[0] = '\0';
    for (int i = 0; i < level && m_bFits; ++i) Append("\t", 1);
  }

  void Append(const char* text) {
    if (text == nullptr) {
      m_bFits = false;
      return;
    }
    Append(text, std::strlen(text));
  }

  void Append(const char* text, std::size_t count) {
    if (!m_bFits) return;
    if (count >= m_nSize - m_nLength) {  // the bytes and the NUL must fit
      m_bFits = false;
      return;
    }
    std::memcpy(m_pLine + m_nLength, text, count);
    m_nLength += count;
    m_pLine[m_nLength] = '\0';
  }

  // Formats one attribute into a cleared attribute buffer and appends it:
  // `withName` puts the element name before it ("%s %s=%s%s%s"), otherwise
  // it starts with a blank (" %s=%s%s%s").
  void AppendAttribute(const char* elementName, const char* name, const char* value,
                       bool withName) {
    if (!m_bFits) return;
    if (elementName == nullptr || name == nullptr) {
      m_bFits = false;
      return;
    }
    const std::size_t escaped = ClXmlWriter::EscapedLength(value);
    const std::size_t length =
        (withName ? std::strlen(elementName) : 0) + 1 + std::strlen(name) + 2 + escaped + 1;
    if (escaped >= kEscapeSize || length >= kAttributeSize) {
      m_bFits = false;
      return;
    }
    char szAttribute[kAttributeSize];
    std::memset(szAttribute, 0, sizeof(szAttribute));
    if (withName) {
      wnsprintfA(szAttribute, sizeof(szAttribute), "%s %s=%s%s%s", elementName, name, "\"",
                 ClXmlWriter::EscapeText(value), "\"");
    } else {
      wnsprintfA(szAttribute, sizeof(szAttribute), " %s=%s%s%s", name, "\"",
                 ClXmlWriter::EscapeText(value), "\"");
    }
    Append(szAttribute);
  }

  // Appends the escaped text; refuses a text that would not escape whole.
  void AppendEscaped(const char* text) {
    if (!m_bFits) return;
    if (ClXmlWriter::EscapedLength(text) >= kEscapeSize) {
      m_bFits = false;
      return;
    }
    Append(ClXmlWriter::EscapeText(text));
  }

  bool Fits() const { return m_bFits; }
  std::size_t Length() const { return m_nLength; }

 private:
  char* m_pLine;
  std::size_t m_nSize;
  std::size_t m_nLength;
  bool m_bFits;
};

}  // namespace

ClXmlWriter::ClXmlWriter() : m_pFile(nullptr) {}

ClXmlWriter::~ClXmlWriter() { Close(); }

short ClXmlWriter::Open(CFile* pFile, const char* path) {
  if (pFile == nullptr || path == nullptr) return -1;
  m_strPath = path;
  m_pFile = pFile;
  BOOL bCreated = FALSE;
  try {
    bCreated = m_pFile->Open(m_strPath, CFile::modeCreate | CFile::modeWrite);
  } catch (CFileException* e) {
    e->Delete();
    bCreated = FALSE;
  }
  return bCreated ? 0 : -1;
}

short ClXmlWriter::Close() {
  if (m_pFile != nullptr) {
    m_pFile->Close();
    m_pFile = nullptr;
  }
  return 0;
}

int ClXmlWriter::WriteText(const char* text) {
  if (text == nullptr) return 0;
  return WriteLine(text, std::strlen(text));
}

int ClXmlWriter::WriteLine(const char* line, std::size_t length) {
  if (m_pFile == nullptr) return 0;
  try {
    m_pFile->Write(line, static_cast<UINT>(length));
  } catch (CFileException* e) {
    e->Delete();
    m_pFile->Close();
    return 0;
  }
  return 1;
}

int ClXmlWriter::Refuse() {
  if (m_pFile != nullptr) m_pFile->Close();
  return 0;
}

int ClXmlWriter::StartElement(char* line, std::size_t lineSize, const char* name, int level,
                              const char* attrName1, const char* attrValue1, const char* attrName2,
                              const char* attrValue2) {
  LineBuilder builder(line, lineSize, level);
  builder.Append("<", 1);
  if (attrName1 != nullptr && attrValue1 != nullptr) {
    builder.AppendAttribute(name, attrName1, attrValue1, true);
    if (attrName2 != nullptr && attrValue2 != nullptr) {
      builder.AppendAttribute(name, attrName2, attrValue2, false);
    }
  } else {
    builder.Append(name);
  }
  builder.Append(">\r\n", 3);
  return builder.Fits() ? WriteLine(line, builder.Length()) : Refuse();
}

int ClXmlWriter::WriteElement(char* line, std::size_t lineSize, const char* name, const char* text,
                              int level, const char* attrName1, const char* attrValue1,
                              const char* attrName2, const char* attrValue2) {
  LineBuilder builder(line, lineSize, level);
  builder.Append("<", 1);
  builder.Append(name);
  if (attrName1 != nullptr && attrValue1 != nullptr) {
    builder.AppendAttribute(name, attrName1, attrValue1, false);
    if (attrName2 != nullptr && attrValue2 != nullptr) {
      builder.AppendAttribute(name, attrName2, attrValue2, false);
    }
  }
  builder.Append(">", 1);
  builder.AppendEscaped(text);
  builder.Append("</", 2);
  builder.Append(name);
  builder.Append(">\r\n", 3);
  return builder.Fits() ? WriteLine(line, builder.Length()) : Refuse();
}

int ClXmlWriter::EndElement(char* line, std::size_t lineSize, const char* name, int level) {
  LineBuilder builder(line, lineSize, level);
  builder.Append("</", 2);
  builder.Append(name);
  builder.Append(">\r\n", 3);
  return builder.Fits() ? WriteLine(line, builder.Length()) : Refuse();
}

char* ClXmlWriter::EscapeText(const char* text) {
  static char s_szEscaped[kEscapeSize];
  char szCopy[kEscapeSize];
  std::memset(s_szEscaped, 0, sizeof(s_szEscaped));
  std::memset(szCopy, 0, sizeof(szCopy));
  if (text == nullptr) return s_szEscaped;
  std::memcpy(szCopy, text, uw::CutToCharBoundary(text, sizeof(szCopy) - 1));

  std::size_t out = 0;
  const auto* p = reinterpret_cast<const unsigned char*>(szCopy);
  while (*p != '\0') {
    const char* entity = EntityFor(*p);
    if (entity != nullptr) {
      const std::size_t width = std::strlen(entity);
      if (out + width >= sizeof(s_szEscaped)) break;
      std::memcpy(s_szEscaped + out, entity, width);
      out += width;
      ++p;
      continue;
    }
    // A double-byte character is copied whole or not at all; a stray lead
    // byte passes as a byte of its own, as the original scan passes it.
    const std::size_t width = CharWidth(p) == 2 ? 2 : 1;
    if (out + width >= sizeof(s_szEscaped)) break;
    std::memcpy(s_szEscaped + out, p, width);
    out += width;
    p += width;
  }
  return s_szEscaped;
}

std::size_t ClXmlWriter::EscapedLength(const char* text) {
  if (text == nullptr) return 0;
  std::size_t length = 0;
  for (const auto* p = reinterpret_cast<const unsigned char*>(text); *p != '\0'; ++p) {
    length += EscapedWidth(*p);
  }
  return length;
}

std::size_t ClXmlWriter::FitText(const char* text, std::size_t maxEscaped) {
  if (text == nullptr) return 0;
  const auto* start = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* p = start;
  std::size_t escaped = 0;
  while (*p != '\0') {
    const std::size_t width = CharWidth(p);
    if (width == 0) break;
    const std::size_t cost = width == 2 ? 2 : EscapedWidth(*p);
    if (escaped + cost > maxEscaped) break;
    escaped += cost;
    p += width;
  }
  return static_cast<std::size_t>(p - start);
}

std::size_t ClXmlWriter::ElementTextRoom(std::size_t lineSize, const char* name, int level) {
  // level tabs, "<name>", the text, "</name>", CR LF, NUL
  const std::size_t nameLength = name != nullptr ? std::strlen(name) : 0;
  const std::size_t fixed =
      (level > 0 ? static_cast<std::size_t>(level) : 0) + 2 * nameLength + 5 + 2 + 1;
  if (lineSize <= fixed) return 0;
  const std::size_t room = lineSize - fixed;
  return room < kEscapeSize - 1 ? room : kEscapeSize - 1;
}

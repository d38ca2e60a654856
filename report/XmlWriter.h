// ClXmlWriter: writes an XML file line by line, each line in one write call.
//
// The writer knows no vocabulary. It writes prepared text (the declaration),
// a start tag with up to two attributes, an element with text content and an
// end tag, each as one complete line: `level` tabs, the markup, CR LF. Text
// and attribute values are escaped (& > < " ' become entity references);
// element and attribute names are written as given. Nothing is converted:
// every string is CP932 bytes and goes to the file byte for byte.
//
// There is no document tree and no output buffer. The caller supplies the
// line buffer, with its size, and the line goes to the file the moment it is
// complete. The writer does not check that start and end tags match.
//
// Limits: a text or attribute value escapes into at most 255 bytes (the
// static escape buffer), one formatted attribute takes at most 255 bytes, and
// the whole line with its NUL must fit the caller's buffer. A line that would
// break one of these limits is refused: nothing of it is written, the file is
// closed as after a failed write, and the operation returns 0. Cutting a tag
// or an attribute would break the document, and cutting a value silently
// would lose data; a caller that wants a long value written cuts it first
// (FitText and ElementTextRoom say where).
//
// States: unbound (constructed, or after Close) -> bound and open (Open
// succeeded) -> bound and closed (Open could not create the file, or a write
// failed or was refused: every later write returns 0 and writes nothing) ->
// unbound (Close, destruction). Close is safe in every state.
//
// Not re-entrant: EscapeText returns one static buffer. Single thread only.
#pragma once

#include <cstddef>

#include "platform/win/afxstr.h"

class CFile;

class ClXmlWriter {
 public:
  ClXmlWriter();
  // Closes the file when one is bound (see Close).
  ~ClXmlWriter();
  ClXmlWriter(const ClXmlWriter&) = delete;
  ClXmlWriter& operator=(const ClXmlWriter&) = delete;

  // Binds `pFile` (not owned; the caller keeps it alive while the writer is
  // in use) and creates or truncates `path` (a Windows path) for writing.
  // Returns 0 when the file was created; -1 when `pFile` or `path` is null
  // (nothing changes) or when the file cannot be created (the file object
  // stays bound but unopened, and every later write returns 0).
  // REQUIRES: called once, on an unbound writer.
  short Open(CFile* pFile, const char* path);

  // Closes the bound file (if it is open) and unbinds it. Always returns 0.
  short Close();

  // Writes the bytes of `text` without its NUL in one write call. Returns 1
  // when written; 0 when there is no open file or the write failed, after
  // which the file is closed and stays bound.
  int WriteText(const char* text);

  // Writes `level` tabs, "<name>" and CR LF; with the first attribute (both
  // its name and value non-null) "<name attr1="value1">", and then with the
  // second one too (only when the first one takes part) a second
  // ` attr2="value2"`. Values are escaped. `line` (of `lineSize` bytes) is
  // overwritten with the line. Returns 1 when written, 0 when the write
  // failed or the line was refused (see the limits above).
  int StartElement(char* line, std::size_t lineSize, const char* name, int level,
                   const char* attrName1, const char* attrValue1, const char* attrName2,
                   const char* attrValue2);

  // Writes `level` tabs, "<name>", the escaped text, "</name>" and CR LF,
  // attributes as in StartElement. A null or empty text gives an element with
  // nothing between its tags (never the empty-element form). Result as
  // StartElement.
  int WriteElement(char* line, std::size_t lineSize, const char* name, const char* text, int level,
                   const char* attrName1, const char* attrValue1, const char* attrName2,
                   const char* attrValue2);

  // Writes `level` tabs, "</name>" and CR LF. Result as StartElement.
  int EndElement(char* line, std::size_t lineSize, const char* name, int level);

  // Returns `text` with & > < " ' replaced by &amp; &gt; &lt; &quot; &apos;,
  // in a static 256-byte buffer that the next call overwrites. Other bytes
  // (double-byte characters, control characters) pass unchanged: no trail
  // byte of CP932 is one of the five. A text longer than 255 bytes, or whose
  // escaped form would pass 255 bytes, is cut before the first whole
  // character or entity that would not fit. A null text gives "".
  static char* EscapeText(const char* text);

  // Length in bytes of the escaped form of `text` (0 for null).
  static std::size_t EscapedLength(const char* text);

  // Length of the longest leading part of `text` made of whole characters
  // whose escaped form takes at most `maxEscaped` bytes. A lead byte not
  // followed by a trail byte is no whole character and ends the part.
  static std::size_t FitText(const char* text, std::size_t maxEscaped);

  // The most escaped text bytes that a WriteElement line of element `name`
  // at `level`, without attributes, can hold in a line buffer of `lineSize`
  // bytes (never more than 255).
  static std::size_t ElementTextRoom(std::size_t lineSize, const char* name, int level);

 private:
  // Writes `length` bytes of `line` in one call; 0 (and the file closed)
  // when the write failed or no file is bound.
  int WriteLine(const char* line, std::size_t length);
  // Refuses a line that does not fit: closes the file as a failed write
  // does, so the file never holds half a line. Returns 0.
  int Refuse();
  CFile* m_pFile;     // not owned; null while unbound
  CString m_strPath;  // the path given to Open
};

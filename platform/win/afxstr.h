// CString: the framework's byte string, as far as the program uses it.
//
// Holds CP932 bytes; never converts. Every operation is bounded: Format
// measures before it writes, GetBuffer grows the storage to what is asked.
#pragma once

#include <string>

#include "platform/win/windef.h"

class CString {
 public:
  CString() = default;
  CString(const char* text) : m_str(text != nullptr ? text : "") {}  // NOLINT: implicit as in MFC
  CString(const CString&) = default;
  CString& operator=(const CString&) = default;
  CString& operator=(const char* text) {
    m_str = text != nullptr ? text : "";
    return *this;
  }

  operator LPCTSTR() const { return m_str.c_str(); }  // NOLINT: implicit as in MFC

  int GetLength() const { return static_cast<int>(m_str.size()); }
  bool IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }

  CString& operator+=(const char* text) {
    if (text != nullptr) m_str += text;
    return *this;
  }
  friend CString operator+(const CString& a, const char* b) {
    CString r(a);
    r += b;
    return r;
  }
  friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
  friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }

  // printf-style formatting into the string; any length.
  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

  // Loads the string resource `id` registered by the program. FALSE (and an
  // empty string) when there is none.
  BOOL LoadString(UINT id);

  // A writable buffer of at least `minLength` bytes plus a NUL, holding the
  // current text. ReleaseBuffer(-1) takes the text up to its first NUL;
  // ReleaseBuffer(n) keeps n bytes.
  char* GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);

  const std::string& str() const { return m_str; }

 private:
  std::string m_str;
};

#include "platform/win/afxstr.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/win/resource_strings.h"

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length < 0) {
    m_str.clear();
  } else {
    std::string out(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<std::size_t>(length));
    m_str = std::move(out);
  }
  va_end(args);
}

BOOL CString::LoadString(UINT id) {
  const char* text = uw::FindStringResource(id);
  m_str = text != nullptr ? text : "";
  return text != nullptr ? TRUE : FALSE;
}

char* CString::GetBuffer(int minLength) {
  const std::size_t want = minLength > 0 ? static_cast<std::size_t>(minLength) : 0;
  if (m_str.size() < want) m_str.resize(want, '\0');
  return m_str.data();
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) {
    m_str.resize(std::strlen(m_str.c_str()));
  } else if (static_cast<std::size_t>(newLength) <= m_str.size()) {
    m_str.resize(static_cast<std::size_t>(newLength));
  }
}

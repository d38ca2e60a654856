#include "talhost/IniWriter.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace talhost {
namespace {

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const unsigned char x = static_cast<unsigned char>(a[i]);
    const unsigned char y = static_cast<unsigned char>(b[i]);
    if (x != y && !(x < 0x80 && y < 0x80 && std::tolower(x) == std::tolower(y))) return false;
  }
  return true;
}

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

// Section name of a "[name]" line, or false when the line is no header.
bool SectionName(const std::string& line, std::string* name) {
  const std::string trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != '[') return false;
  const std::size_t close = trimmed.find(']');
  if (close == std::string::npos) return false;
  *name = Trim(trimmed.substr(1, close - 1));
  return true;
}

// Key of a "key=value" line, or false for comments, blanks and other lines.
bool KeyName(const std::string& line, std::string* key) {
  const std::string trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';') return false;
  const std::size_t equal = trimmed.find('=');
  if (equal == std::string::npos) return false;
  *key = Trim(trimmed.substr(0, equal));
  return true;
}

void SetError(std::string* error, const std::string& text) {
  if (error != nullptr) *error = text;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& content, std::string* error) {
  const std::string temporary = path + ".tmp" + std::to_string(static_cast<long>(getpid()));
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out) {
      SetError(error, "cannot write " + temporary);
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    SetError(error, "cannot replace " + path + ": " + std::strerror(errno));
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

bool SetIniValue(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value, std::string* error) {
  if (Trim(section).empty() || Trim(key).empty() || HasLineBreak(section) || HasLineBreak(key) ||
      HasLineBreak(value) || key.find('=') != std::string::npos ||
      section.find(']') != std::string::npos) {
    SetError(error, "invalid setting [" + section + "] " + key);
    return false;
  }

  std::vector<std::string> lines;
  std::string eol = "\n";
  {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') {
        line.pop_back();
        eol = "\r\n";
      }
      lines.push_back(line);
    }
  }

  const std::string newLine = Trim(key) + "=" + value;
  bool inSection = false;
  bool sectionSeen = false;
  std::size_t insertAt = lines.size();
  bool done = false;
  for (std::size_t i = 0; i < lines.size() && !done; ++i) {
    std::string name;
    if (SectionName(lines[i], &name)) {
      if (inSection) break;  // end of the first section of that name
      if (!sectionSeen && EqualNoCase(name, Trim(section))) {
        inSection = true;
        sectionSeen = true;
        insertAt = i + 1;
      }
      continue;
    }
    if (!inSection) continue;
    std::string lineKey;
    if (KeyName(lines[i], &lineKey) && EqualNoCase(lineKey, Trim(key))) {
      lines[i] = newLine;
      done = true;
    } else if (!Trim(lines[i]).empty()) {
      insertAt = i + 1;
    }
  }
  if (!done) {
    if (sectionSeen) {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), newLine);
    } else {
      if (!lines.empty() && !Trim(lines.back()).empty()) lines.push_back(std::string());
      lines.push_back("[" + Trim(section) + "]");
      lines.push_back(newLine);
    }
  }

  std::ostringstream out;
  for (const std::string& line : lines) out << line << eol;
  return WriteFileAtomically(path, out.str(), error);
}

}  // namespace talhost

#include "conditions/SavedConditions.h"

#include <cstdio>
#include <cstring>

#include "conditions/OutputPath.h"
#include "platform/win/afxfile.h"
#include "platform/win/crt.h"
#include "platform/win/crt_io.h"
#include "platform/win/fileapi.h"
#include "platform/win/shlwapi.h"

namespace {

const char kTempPrefix[] = "UCW";

// Where the key's record lies in `content`: the first line that begins with
// the key. *lineEnd is the position of its LF, or npos when the record is
// the last line and has none.
bool FindRecord(const std::string& content, const std::string& key, std::size_t* start,
                std::size_t* lineEnd) {
  std::size_t pos = 0;
  while (pos < content.size()) {
    const std::size_t end = content.find('\n', pos);
    if (content.compare(pos, key.size(), key) == 0) {
      *start = pos;
      *lineEnd = end;
      return true;
    }
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  return false;
}

// Reads the whole file; FALSE when it cannot be opened or read.
BOOL ReadWholeFile(const char* filePath, std::string* content) {
  CFile file;
  if (!file.Open(filePath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) {
    return FALSE;
  }
  try {
    char buffer[4096];
    content->clear();
    for (;;) {
      const UINT count = file.Read(buffer, sizeof(buffer));
      if (count == 0) break;
      content->append(buffer, count);
    }
  } catch (CFileException* e) {
    e->Delete();
    file.Close();
    return FALSE;
  }
  file.Close();
  return TRUE;
}

// The text between two positions as a number, as the runtime's atoi reads it.
int NumberBetween(const std::string& text, std::size_t begin, std::size_t end) {
  return win::atoi(text.substr(begin, end - begin).c_str());
}

}  // namespace

ClSavedConditions::ClSavedConditions(const char* userId, LONG selectedNo1, LONG selectedNo2,
                                     const char* hostFolder, const char* fileName)
    : m_bKeyFits(FALSE), m_strFolder(hostFolder), m_strFileName(fileName) {
  m_strKey.Format("%s/%d/%d:", userId != nullptr ? userId : "", static_cast<int>(selectedNo1),
                  static_cast<int>(selectedNo2));
  m_bKeyFits = m_strKey.GetLength() <= KEY_MAX;
}

BOOL ClSavedConditions::OnSaveStep(SaveStep /*step*/) { return TRUE; }

BOOL ClSavedConditions::GetFilePath(CString* filePath) const {
  *filePath = m_strFolder + m_strFileName;
  return !m_strFolder.IsEmpty() && FitsPathBuffer(*filePath);
}

int ClSavedConditions::Load(short* tax, short* endMonth, char* path) {
  CString filePath;
  if (!m_bKeyFits || !GetFilePath(&filePath)) return 0;
  struct _stat status;
  if (_stat(filePath, &status) != 0 || (status.st_mode & _S_IFDIR) != 0) return 0;
  std::string content;
  if (!ReadWholeFile(filePath, &content)) return 0;

  const std::string key = m_strKey.str();
  std::size_t start = 0;
  std::size_t lineEnd = 0;
  if (!FindRecord(content, key, &start, &lineEnd) || lineEnd == std::string::npos) return 0;
  const std::string value = content.substr(start + key.size(), lineEnd - start - key.size());
  const std::size_t firstSlash = value.find('/');
  const std::size_t lastSlash = value.rfind('/');
  if (value.size() > VALUE_MAX || firstSlash == std::string::npos || firstSlash == lastSlash) {
    return 0;
  }
  const std::string savedPath = value.substr(lastSlash + 1);
  if (!FitsPathBuffer(savedPath.c_str()) || savedPath.size() != std::strlen(savedPath.c_str())) {
    return 0;  // too long, or a NUL inside: not a path this program wrote
  }
  *tax = static_cast<short>(NumberBetween(value, 0, firstSlash));
  *endMonth = static_cast<short>(NumberBetween(value, firstSlash + 1, lastSlash));
  std::snprintf(path, kPathBufferSize, "%s", savedPath.c_str());
  return 1;
}

int ClSavedConditions::Save(short tax, short endMonth, const char* path, const char* savedPath) {
  const char* text = path != nullptr ? path : (savedPath != nullptr ? savedPath : "");
  if (!m_bKeyFits || !FitsPathBuffer(text) || std::strpbrk(text, "/\r\n") != nullptr) return 0;
  CString line;
  line.Format("%s%d/%d/%s\n", static_cast<const char*>(m_strKey), tax, endMonth, text);

  CString filePath;
  if (!GetFilePath(&filePath)) return 0;
  if (!FolderExists(m_strFolder) && CreateFolderTree(m_strFolder) == 0) return 0;

  // The old content, when there is a file; one that exists but cannot be
  // read is left alone rather than replaced.
  std::string content;
  if (PathFileExistsA(filePath)) {
    struct _stat status;
    if (_stat(filePath, &status) != 0 || (status.st_mode & _S_IFDIR) != 0 ||
        !ReadWholeFile(filePath, &content)) {
      return 0;
    }
  }

  std::size_t start = 0;
  std::size_t lineEnd = 0;
  if (FindRecord(content, m_strKey.str(), &start, &lineEnd)) {
    const std::string after = lineEnd == std::string::npos ? "" : content.substr(lineEnd + 1);
    content = content.substr(0, start) + after;
  }
  if (!content.empty() && content.back() != '\n') content += '\n';
  content += line.str();
  return ReplaceFile(filePath, content) ? 1 : 0;
}

BOOL ClSavedConditions::ReplaceFile(const char* filePath, const std::string& content) {
  char tempPath[MAX_PATH];
  if (GetTempFileNameA(m_strFolder, kTempPrefix, 0, tempPath) == 0) return FALSE;
  BOOL written = OnSaveStep(_SaveStep_TempCreated);
  if (written) {
    CFile file;
    written = file.Open(tempPath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    if (written) {
      try {
        file.Write(content.data(), static_cast<UINT>(content.size()));
      } catch (CFileException* e) {
        e->Delete();
        written = FALSE;
      }
      file.Close();
    }
  }
  if (written && OnSaveStep(_SaveStep_TempWritten) &&
      MoveFileExA(tempPath, filePath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return TRUE;
  }
  DeleteFileA(tempPath);
  return FALSE;
}

#include "report/SupportInf.h"

#include <cstdio>
#include <cstring>

#include "platform/ui/winuser.h"
#include "platform/win/afxfile.h"
#include "platform/win/global_memory.h"

namespace {

struct StSupportKey {
  const char* text;  // CP932
  int length;        // bytes compared
};

// The file's vocabulary. Only the first two keys are looked up; the two
// marked multi-line keep their inner line breaks.
constexpr StSupportKey kSupportKeys[] = {
    {"[=製品名=]", 10},
    {"[=製品ﾊﾞｰｼﾞｮﾝ=]", 15},
    {"[=製品ｼﾘｱﾙNo=]", 14},
    {"[=提供ﾒﾃﾞｨｱ=]", 13},
    {"[=会社名=]", 10},
    {"[=部署=]", 8},
    {"[=登録者名=]", 12},
    {"[=郵便番号=]", 12},
    {"[=住所１=]", 10},
    {"[=住所２=]", 10},
    {"[=TEL=]", 7},
    {"[=FAX=]", 7},
    {"[=本体機種=]", 12},
    {"[=ﾌﾟﾘﾝﾀ=]", 9},
    {"[=ﾓﾃﾞﾑ=]", 8},
    {"[=搭載ﾒﾓﾘ=]", 11},
    {"[=購入日=]", 10},
    {"[=年間保守契約=]", 16},
    {"[=お問い合わせ内容=]", 20},
    {"[=症状が再現する手順や条件=]", 28},
    {"[=再現性=]", 10},
};
constexpr int kProductNameKey = 0;
constexpr int kProductVerKey = 1;
constexpr int kMultiLineKeys[] = {18, 19};

// The lengths above are the CP932 byte counts; this holds only while the
// literals are compiled to CP932, as the program's are.
constexpr bool KeyLengthsMatch() {
  for (const StSupportKey& key : kSupportKeys) {
    int n = 0;
    while (key.text[n] != '\0') ++n;
    if (n != key.length) return false;
  }
  return true;
}
static_assert(KeyLengthsMatch(), "support file keys must be compiled as CP932");

constexpr BYTE kFill = 0xFF;
constexpr char kFileName[] = "SUPPORT.INF";
constexpr char kEmpty[] = "";
constexpr UINT kSupportAllocFlags = GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE;  // 0x2042

bool KeyAt(const BYTE* data, DWORD pos, const char* key, DWORD length) {
  return pos + length <= ClSupportInf::kBufferSize && std::memcmp(data + pos, key, length) == 0;
}

}  // namespace

ClSupportInf::ClSupportInf() : m_hMemory(nullptr), m_pData(nullptr) {
  std::memset(m_szFolder, 0, sizeof(m_szFolder));
}

ClSupportInf::~ClSupportInf() {
  if (m_hMemory != nullptr) {
    GlobalUnlock(m_hMemory);
    GlobalFree(m_hMemory);
    m_hMemory = nullptr;
    m_pData = nullptr;
  }
}

const char* ClSupportInf::GetProductName() { return GetValue(kSupportKeys[kProductNameKey].text); }

const char* ClSupportInf::GetProductVer() { return GetValue(kSupportKeys[kProductVerKey].text); }

int ClSupportInf::Load() {
  if (m_hMemory != nullptr) return 1;

  // One byte more than the file may fill: it stays NUL and ends a value that
  // runs to the end of the buffer.
  HGLOBAL hMemory = GlobalAlloc(kSupportAllocFlags, kBufferSize + 1);
  BYTE* pData = hMemory != nullptr ? static_cast<BYTE*>(GlobalLock(hMemory)) : nullptr;
  if (pData == nullptr) {
    if (hMemory != nullptr) GlobalFree(hMemory);
    AfxMessageBox("ﾒﾓﾘが不足しています。", MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  m_hMemory = hMemory;
  m_pData = pData;
  std::memset(m_pData, kFill, kBufferSize);
  m_pData[kBufferSize] = '\0';

  char szPath[324];
  std::memset(szPath, 0, sizeof(szPath));
  std::snprintf(szPath, sizeof(szPath), "%s%s", m_szFolder, kFileName);

  CFile file;
  BOOL bOpened = FALSE;
  try {
    bOpened = file.Open(szPath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary);
  } catch (CFileException* e) {
    e->Delete();
    bOpened = FALSE;
  }
  if (!bOpened) return 0;

  try {
    file.Read(m_pData, kBufferSize);
  } catch (CFileException* e) {
    // A file that opens but cannot be read (a folder of that name, a device
    // error) counts as missing: nothing half-read is used.
    e->Delete();
    file.Close();
    std::memset(m_pData, kFill, kBufferSize);
    return 0;
  }
  file.Close();
  Normalize();
  return 1;
}

void ClSupportInf::Normalize() {
  if (m_pData == nullptr) return;
  BYTE* const data = m_pData;
  const DWORD size = kBufferSize;

  // Line ends and Ctrl-Z end the strings.
  for (DWORD i = 0; i < size;) {
    if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') {
      data[i] = '\0';
      data[i + 1] = '\0';
      i += 2;
      continue;
    }
    if (data[i] == 0x1A) data[i] = '\0';
    ++i;
  }

  // A multi-line value runs up to the line end before the next key, or to
  // the end of the data; its inner line ends come back as CR LF.
  for (DWORD pos = 0; pos < size; ++pos) {
    for (int nKey : kMultiLineKeys) {
      const StSupportKey& key = kSupportKeys[nKey];
      if (!KeyAt(data, pos, key.text, static_cast<DWORD>(key.length))) continue;
      for (DWORD i = pos + static_cast<DWORD>(key.length); i < size;) {
        if (data[i] == kFill) {
          data[i] = '\0';
          break;
        }
        const bool hasNext = i + 1 < size;
        if (hasNext && data[i] == '[' && data[i + 1] == '=') {
          data[i - 2] = '\0';  // the key before lies at i - length, so i >= 2
          data[i - 1] = '\0';
          break;
        }
        if (hasNext && data[i] == '\0' && data[i + 1] == '\0') {
          data[i] = '\r';
          data[i + 1] = '\n';
          i += 2;
          continue;
        }
        ++i;
      }
    }
  }
}

const char* ClSupportInf::GetValue(const char* key) {
  if (key == nullptr || Load() != 1) return kEmpty;
  const auto length = static_cast<DWORD>(std::strlen(key));
  if (length == 0) return kEmpty;
  for (DWORD pos = 0; pos < kBufferSize; ++pos) {
    if (!KeyAt(m_pData, pos, key, length)) continue;
    BYTE* const value = m_pData + pos + length;
    // The value ends at its NUL, at the first fill byte (made a NUL here, so
    // the caller gets a terminated string) or at the guard byte.
    for (BYTE* p = value; *p != '\0'; ++p) {
      if (*p == kFill) {
        *p = '\0';
        break;
      }
    }
    return reinterpret_cast<const char*>(value);
  }
  return kEmpty;
}

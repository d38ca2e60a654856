#include "report/UchiwakeXml.h"

#include <cstdio>
#include <cstring>

#include "platform/win/afxfile.h"
#include "platform/win/afxstr.h"
#include "platform/win/format.h"
#include "platform/win/lcmap.h"
#include "platform/win/mbstring.h"
#include "progress/SumProgressDlg.h"
#include "report/SupportInf.h"
#include "report/XmlWriter.h"
#include "resources/Edition.h"

namespace {

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";
constexpr char kDefaultProductVer[] = "19.00.0X";
constexpr UINT kConnectedProgramVerId = 1;  // string resource: "19.00.00"
constexpr std::size_t kCompanyNameBytes = 32;
// Copies the longest leading part of `text`, in whole characters, whose
// escaped form fits the `element` line at `level` of a `lineSize` line
// buffer. `buffer` holds at least that room plus its NUL.
void CopyForLine(const char* text, char* buffer, std::size_t size, std::size_t lineSize,
                 const char* element, int level) {
  std::memset(buffer, 0, size);
  std::size_t room = ClXmlWriter::ElementTextRoom(lineSize, element, level);
  if (room > size - 1) room = size - 1;
  std::memcpy(buffer, text, ClXmlWriter::FitText(text, room));
}

}  // namespace

ClUchiwakeXml::ClUchiwakeXml()
    : progress(nullptr), zandakaList(nullptr), m_nCursor(0), m_nProgressBase(0) {}

ClUchiwakeXml::~ClUchiwakeXml() = default;

void ClUchiwakeXml::SetProgressBase(short nBase) { m_nProgressBase = nBase; }

void ClUchiwakeXml::Pulse() {
  if (progress != nullptr) progress->Pulse();
}

void ClUchiwakeXml::Advance(short nFrom, short nTo) {
  if (progress != nullptr) progress->Advance(nFrom, nTo);
}

int ClUchiwakeXml::OutputXml(const char* path, short nFuncId, const StDATAINFO* pDataInfo) {
  CFile file;
  ClXmlWriter writer;
  char szLine[500];
  std::memset(szLine, 0, sizeof(szLine));

  // A file that cannot be created, or a failed first line, leaves the writer
  // closed; the first line of SYSTEM then fails and ends the report.
  writer.Open(&file, path);
  writer.WriteText(kDeclaration);
  writer.StartElement(szLine, sizeof(szLine), "REPORT", 0, nullptr, nullptr, nullptr, nullptr);
  Pulse();

  int nResult = 0;
  if (OutputSystem(&writer, nFuncId) == 1) {
    Pulse();
    if (OutputBasic(&writer, pDataInfo) == 1) {
      Pulse();
      if (OutputData(&writer) == 1) {
        Pulse();
        nResult = 1;
      }
    }
  }

  // Without its end line the file is no document: a report whose last line
  // could not be written has failed like any other.
  if (writer.EndElement(szLine, sizeof(szLine), "REPORT", 0) == 0) nResult = 0;
  writer.Close();
  return nResult;
}

int ClUchiwakeXml::OutputSystem(ClXmlWriter* pWriter, short nFuncId) {
  char szLine[256];
  char szValue[256];
  std::memset(szLine, 0, sizeof(szLine));
  std::memset(szValue, 0, sizeof(szValue));

  if (!pWriter->StartElement(szLine, sizeof(szLine), "SYSTEM", 1, nullptr, nullptr, nullptr,
                             nullptr)) {
    return 0;
  }
  if (!pWriter->WriteElement(szLine, sizeof(szLine), "GYOUMUPREFIX", "UG13", 2, nullptr, nullptr,
                             nullptr, nullptr)) {
    return 0;
  }
  Pulse();
  if (!pWriter->WriteElement(szLine, sizeof(szLine), "VERSION", "1", 2, nullptr, nullptr, nullptr,
                             nullptr)) {
    return 0;
  }
  Pulse();
  std::snprintf(szValue, sizeof(szValue), "%d", static_cast<int>(nFuncId));
  if (!pWriter->WriteElement(szLine, sizeof(szLine), "FUNCTIONID", szValue, 2, nullptr, nullptr,
                             nullptr, nullptr)) {
    return 0;
  }
  Pulse();
  CString strVersion;
  strVersion.LoadString(kConnectedProgramVerId);  // empty when it cannot be loaded
  if (!pWriter->WriteElement(szLine, sizeof(szLine), "CONNECTEDPROGRAMVER", strVersion, 2, nullptr,
                             nullptr, nullptr, nullptr)) {
    return 0;
  }
  Pulse();

  // The support file's values are copied at once (they live in its buffer)
  // and cut to what their lines can hold.
  ClSupportInf supportInf;
  char szProductName[256];
  char szProductVer[256];
  CopyForLine(supportInf.GetProductName(), szProductName, sizeof(szProductName), sizeof(szLine),
              "PROGRAMNAME", 2);
  if (szProductName[0] == '\0') {
    CopyForLine(g_edition.productLabel, szProductName, sizeof(szProductName), sizeof(szLine),
                "PROGRAMNAME", 2);
  }
  CopyForLine(supportInf.GetProductVer(), szProductVer, sizeof(szProductVer), sizeof(szLine),
              "PROGRAMVER", 2);
  if (szProductVer[0] == '\0') {
    std::snprintf(szProductVer, sizeof(szProductVer), "%s", kDefaultProductVer);
  }

  if (!pWriter->WriteElement(szLine, sizeof(szLine), "PROGRAMNAME", szProductName, 2, nullptr,
                             nullptr, nullptr, nullptr)) {
    return 0;
  }
  Pulse();
  if (!pWriter->WriteElement(szLine, sizeof(szLine), "PROGRAMVER", szProductVer, 2, nullptr,
                             nullptr, nullptr, nullptr)) {
    return 0;
  }
  Pulse();
  if (!pWriter->EndElement(szLine, sizeof(szLine), "SYSTEM", 1)) return 0;
  Advance(m_nProgressBase, static_cast<short>(m_nProgressBase + 100));
  return 1;
}

int ClUchiwakeXml::OutputBasic(ClXmlWriter* pWriter, const StDATAINFO* pDataInfo) {
  if (pDataInfo == nullptr) return 0;  // no company data: no report
  char szLine[256];
  char szValue[256];
  std::memset(szLine, 0, sizeof(szLine));
  std::memset(szValue, 0, sizeof(szValue));

  if (!pWriter->StartElement(szLine, sizeof(szLine), "BASIC", 1, nullptr, nullptr, nullptr,
                             nullptr)) {
    return 0;
  }
  // The record's name field is not trusted to hold its NUL.
  char szCompany[sizeof(pDataInfo->companyName) + 1];
  std::memset(szCompany, 0, sizeof(szCompany));
  std::memcpy(szCompany, pDataInfo->companyName,
              strnlen(pDataInfo->companyName, sizeof(pDataInfo->companyName)));
  if (!pWriter->WriteElement(szLine, sizeof(szLine), "KOMONSAKINAME", ConvertFullWidth(szCompany),
                             2, nullptr, nullptr, nullptr, nullptr)) {
    return 0;
  }
  Pulse();
  std::snprintf(szValue, sizeof(szValue), "%d", static_cast<int>(pDataInfo->periodStart));
  if (!pWriter->WriteElement(szLine, sizeof(szLine), "JIGYOUNENDOFROM", szValue, 2, nullptr,
                             nullptr, nullptr, nullptr)) {
    return 0;
  }
  Pulse();
  std::snprintf(szValue, sizeof(szValue), "%d", static_cast<int>(pDataInfo->periodEnd));
  if (!pWriter->WriteElement(szLine, sizeof(szLine), "JIGYOUNENDOTO", szValue, 2, nullptr, nullptr,
                             nullptr, nullptr)) {
    return 0;
  }
  Pulse();
  if (!pWriter->EndElement(szLine, sizeof(szLine), "BASIC", 1)) return 0;
  Advance(static_cast<short>(m_nProgressBase + 100), static_cast<short>(m_nProgressBase + 200));
  return 1;
}

char* ClUchiwakeXml::ConvertFullWidth(const char* text) {
  static char s_szResult[128];
  std::memset(s_szResult, 0, sizeof(s_szResult));
  if (text == nullptr) return s_szResult;

  // No character maps to fewer bytes than it has, and each maps on its own
  // (a kana with the mark after it at most), so the first 63 bytes of the
  // text decide the 33 bytes of the result that are looked at.
  char szSource[64];
  std::memset(szSource, 0, sizeof(szSource));
  std::memcpy(szSource, text, uw::CutToCharBoundary(text, sizeof(szSource) - 1));
  const int n = static_cast<int>(std::strlen(szSource)) + 1;
  char szWide[2 * sizeof(szSource)];
  std::memset(szWide, 0, sizeof(szWide));
  if (LCMapStringA(GetSystemDefaultLCID(), LCMAP_FULLWIDTH, szSource, -1, szWide, 2 * n) == 0) {
    std::memcpy(szWide, szSource, sizeof(szSource));  // unmapped rather than lost
  }

  std::size_t length = strnlen(szWide, sizeof(szWide));
  if (length > kCompanyNameBytes) {
    length = kCompanyNameBytes;
    if (_mbsbtype(reinterpret_cast<const unsigned char*>(szWide), kCompanyNameBytes - 1) ==
        _MBC_LEAD) {
      length = kCompanyNameBytes - 1;
    }
  }
  std::memcpy(s_szResult, szWide, length);
  return s_szResult;
}

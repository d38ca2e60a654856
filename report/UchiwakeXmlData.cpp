// The DATA section of the report: the walk over the balance list.
#include <cstdint>
#include <cstring>

#include "platform/win/format.h"
#include "report/UchiwakeXml.h"
#include "report/XmlWriter.h"

namespace {

constexpr std::int64_t kRawPerUnit = 10000;
constexpr std::int64_t kLowestUnits = -99999999999LL;   // a sign and eleven digits
constexpr std::int64_t kHighestUnits = 999999999999LL;  // twelve digits
constexpr std::int32_t kSubAccountModulus = 10000;

// `value` in decimal, right-aligned in `width` characters with spaces and
// never cut (as "%4d" formats it; width 0 as "%d"). The per-row counters and
// codes come here rather than through the general formatter: this runs a
// few times for every row of a list of any size.
void FormatInt(std::int64_t value, int width, char* buffer, std::size_t size) {
  char szDigits[32];
  if (_i64toa_s(value, szDigits, sizeof(szDigits), 10) != 0) szDigits[0] = '\0';
  const std::size_t length = std::strlen(szDigits);
  const std::size_t fieldWidth = width > 0 ? static_cast<std::size_t>(width) : 0;
  const std::size_t pad = length < fieldWidth ? fieldWidth - length : 0;
  if (size == 0) return;
  std::size_t out = 0;
  for (; out < pad && out + 1 < size; ++out) buffer[out] = ' ';
  for (std::size_t i = 0; i < length && out + 1 < size; ++i) buffer[out++] = szDigits[i];
  buffer[out] = '\0';
}

// The amount text of a row: whole units truncated toward zero, or "" when
// they are zero or out of range.
void FormatAmount(std::int64_t raw, char* buffer, std::size_t size) {
  buffer[0] = '\0';
  const std::int64_t units = raw / kRawPerUnit;
  if (units == 0 || units < kLowestUnits || units > kHighestUnits) return;
  FormatInt(units, 0, buffer, size);
}

// The code is the host's combined code, read as a signed number.
std::int32_t SignedCode(const StZandakaItem& item) { return static_cast<std::int32_t>(item.code); }

bool IsAccountRow(const StZandakaItem& item) { return SignedCode(item) % kSubAccountModulus == 0; }

// The name, which the item keeps NUL-terminated within its 17 bytes.
void CopyName(const StZandakaItem& item, char* buffer, std::size_t size) {
  const std::size_t length = strnlen(item.name, sizeof(item.name) - 1);
  const std::size_t count = length < size ? length : size - 1;
  std::memcpy(buffer, item.name, count);
  buffer[count] = '\0';
}

}  // namespace

int ClUchiwakeXml::WriteAccountRow(ClXmlWriter* pWriter, const StZandakaItem& item, int nAccount) {
  char szLine[256];
  char szValue[256];
  FormatInt(nAccount, 4, szValue, sizeof(szValue));
  if (!pWriter->StartElement(szLine, sizeof(szLine), "KANJYOKAMOKU", 2, "Count", szValue, nullptr,
                             nullptr)) {
    return 0;
  }
  FormatInt(SignedCode(item) / kSubAccountModulus, 0, szValue, sizeof(szValue));
  if (!pWriter->WriteElement(szLine, sizeof(szLine), "KANJYOKAMOKU_CODE", szValue, 3, nullptr,
                             nullptr, nullptr, nullptr)) {
    return 0;
  }
  CopyName(item, szValue, sizeof(szValue));
  if (!pWriter->WriteElement(szLine, sizeof(szLine), "KANJYOKAMOKU_NAME", szValue, 3, nullptr,
                             nullptr, nullptr, nullptr)) {
    return 0;
  }
  FormatAmount(item.amount, szValue, sizeof(szValue));
  return pWriter->WriteElement(szLine, sizeof(szLine), "KANJYOKAMOKU_ZANDAKA", szValue, 3, nullptr,
                               nullptr, nullptr, nullptr) != 0;
}

int ClUchiwakeXml::WriteSubAccountRow(ClXmlWriter* pWriter, const StZandakaItem& item,
                                      int nSubAccount) {
  char szLine[256];
  char szValue[256];
  FormatInt(nSubAccount, 4, szValue, sizeof(szValue));
  if (!pWriter->StartElement(szLine, sizeof(szLine), "HOJYOKAMOKU", 3, "Count", szValue, nullptr,
                             nullptr)) {
    return 0;
  }
  FormatInt(SignedCode(item) % kSubAccountModulus, 0, szValue, sizeof(szValue));
  if (!pWriter->WriteElement(szLine, sizeof(szLine), "HOJYOKAMOKU_CODE", szValue, 4, nullptr,
                             nullptr, nullptr, nullptr)) {
    return 0;
  }
  CopyName(item, szValue, sizeof(szValue));
  if (!pWriter->WriteElement(szLine, sizeof(szLine), "HOJYOKAMOKU_NAME", szValue, 4, nullptr,
                             nullptr, nullptr, nullptr)) {
    return 0;
  }
  FormatAmount(item.amount, szValue, sizeof(szValue));
  if (!pWriter->WriteElement(szLine, sizeof(szLine), "HOJYOKAMOKU_ZANDAKA", szValue, 4, nullptr,
                             nullptr, nullptr, nullptr)) {
    return 0;
  }
  return pWriter->EndElement(szLine, sizeof(szLine), "HOJYOKAMOKU", 3) != 0;
}

int ClUchiwakeXml::OutputData(ClXmlWriter* pWriter) {
  char szLine[256];
  std::memset(szLine, 0, sizeof(szLine));
  int nAccount = 1;
  int nSubAccount = 1;
  bool bPending = false;            // an account with sub-accounts was written;
  std::uint32_t ulPendingCode = 0;  // its code, which the closing row repeats
  bool bAccountOpen = false;        // a KANJYOKAMOKU element is open

  if (!pWriter->StartElement(szLine, sizeof(szLine), "DATA", 1, nullptr, nullptr, nullptr,
                             nullptr)) {
    return 0;
  }
  const std::size_t nRows = zandakaList != nullptr ? zandakaList->size() : 0;
  for (m_nCursor = 0; m_nCursor < nRows; ++m_nCursor) {
    Pulse();
    const StZandakaItem& item = *(*zandakaList)[m_nCursor];
    if (IsAccountRow(item)) {
      if (bPending) {
        bPending = false;
        if (bAccountOpen) {
          // hasSub was set but no sub-account row came: close the group here.
          if (!pWriter->EndElement(szLine, sizeof(szLine), "KANJYOKAMOKU", 2)) return 0;
          bAccountOpen = false;
          ++nAccount;
          nSubAccount = 1;
        }
        // The row that closes the group is not written. Another account
        // means the closing row is missing: that account is written.
        if (item.code == ulPendingCode) continue;
      }
      if (!WriteAccountRow(pWriter, item, nAccount)) return 0;
      nSubAccount = 1;
      if (item.hasSub == 0) {
        if (!pWriter->EndElement(szLine, sizeof(szLine), "KANJYOKAMOKU", 2)) return 0;
        ++nAccount;
      } else {
        bPending = true;
        ulPendingCode = item.code;
        bAccountOpen = true;
      }
      continue;
    }

    if (!WriteSubAccountRow(pWriter, item, nSubAccount)) return 0;
    ++nSubAccount;
    // The last sub-account row of a group closes it, seeing an account row
    // (or the end of the list) come next.
    const bool bGroupEnds = m_nCursor + 1 >= nRows || IsAccountRow(*(*zandakaList)[m_nCursor + 1]);
    if (bGroupEnds) {
      if (bAccountOpen) {
        if (!pWriter->EndElement(szLine, sizeof(szLine), "KANJYOKAMOKU", 2)) return 0;
        bAccountOpen = false;
        ++nAccount;
      }
      nSubAccount = 1;
    }
  }
  if (bAccountOpen) {  // the list ended on an account with hasSub set
    if (!pWriter->EndElement(szLine, sizeof(szLine), "KANJYOKAMOKU", 2)) return 0;
  }

  if (!pWriter->EndElement(szLine, sizeof(szLine), "DATA", 1)) return 0;
  Advance(static_cast<short>(m_nProgressBase + 200), 1000);
  return 1;
}

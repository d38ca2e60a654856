// ClUchiwakeXml: writes the account breakdown report (科目内訳書), one CP932
// XML file, from the company data record and the balance list.
//
// The file, line by line (T is one tab, every line ends in CR LF):
//   <?xml version="1.0" encoding="Shift_JIS"?>
//   <REPORT>
//   T<SYSTEM>   GYOUMUPREFIX, VERSION, FUNCTIONID, CONNECTEDPROGRAMVER,
//               PROGRAMNAME, PROGRAMVER                         T</SYSTEM>
//   T<BASIC>    KOMONSAKINAME, JIGYOUNENDOFROM, JIGYOUNENDOTO  T</BASIC>
//   T<DATA>     one KANJYOKAMOKU group per account             T</DATA>
//   </REPORT>
// An account group holds KANJYOKAMOKU_CODE, _NAME, _ZANDAKA and one
// HOJYOKAMOKU (CODE, NAME, ZANDAKA) per sub-account row; both carry a Count
// attribute ("%4d"). Amounts are written in whole units truncated toward
// zero; zero, less than one unit, and anything outside -99,999,999,999 ..
// 999,999,999,999 give an empty element.
//
// The list is expected in the order the aggregation delivers it: an account
// row alone (hasSub 0), or an account row with hasSub set, its sub-account
// rows, and one more row of the same account that closes the group and is
// not written. A list that breaks this shape still gives a well-formed file
// (see OutputData).
//
// Values from the support information file are cut, on a character
// boundary, to what their line can hold.
//
// Progress: with the base set to 500 the report moves the bar from 500 to
// 1000 per mille: Advance(500, 600) after SYSTEM, (600, 700) after BASIC,
// (700, 1000) after DATA; Pulse after the REPORT start line, after each value
// line of SYSTEM and BASIC, after each successful section and once for every
// row of the list.
//
// Not re-entrant (ConvertFullWidth and the writer's escape buffer are
// static); the user-interface thread only.
#pragma once

#include <cstddef>

#include "aggregate/ZandakaList.h"
#include "host/HostRecords.h"

class CSumProgressDlg;
class ClXmlWriter;

class ClUchiwakeXml {
 public:
  ClUchiwakeXml();
  virtual ~ClUchiwakeXml();
  ClUchiwakeXml(const ClUchiwakeXml&) = delete;
  ClUchiwakeXml& operator=(const ClUchiwakeXml&) = delete;

  // The per-mille value the report's progress starts from (the run sets 500).
  void SetProgressBase(short nBase);

  // Creates or empties the file `path` (a Windows path) and writes the whole
  // report: the declaration, REPORT, then SYSTEM, BASIC and DATA in turn; the
  // first section that fails ends the sections, and the REPORT end line is
  // still attempted. Returns 1 when all three sections were written, else 0
  // (a file that cannot be created fails at the first SYSTEM line). The
  // lines written stay in the file either way.
  // A null zandakaList counts as an empty list, a null progress moves
  // nothing; a null pDataInfo fails the report at BASIC.
  int OutputXml(const char* path, short nFuncId, const StDATAINFO* pDataInfo);

  // Writes the SYSTEM section: the fixed prefix and version, the function
  // identifier, string resource 1, and the product name and version from
  // SUPPORT.INF or, when they are empty, the edition's product label and
  // "19.00.0X". Returns 1, or 0 at the first failed write.
  int OutputSystem(ClXmlWriter* pWriter, short nFuncId);

  // Writes the BASIC section: the company name in full-width characters cut
  // to 32 bytes, the first and the last day of the period. Returns 1, or 0
  // at the first failed write (or at once for a null pDataInfo).
  int OutputBasic(ClXmlWriter* pWriter, const StDATAINFO* pDataInfo);

  // Writes the DATA section from the list. Returns 1, or 0 at the first
  // failed write. Where the list breaks the expected shape, every element
  // opened is still closed: a group whose account has hasSub set but no
  // sub-account rows is closed by the next account-level row (which is not
  // written when it is the same account's closing row, and is written as the
  // next account when it is another one); a group still open at the end of
  // the list is closed there; a sub-account row with no open group is
  // written where it stands, inside DATA, and closes nothing.
  int OutputData(ClXmlWriter* pWriter);

  // The text in full-width characters (LCMapStringA, LCMAP_FULLWIDTH, under
  // the system's default locale), cut to 32 bytes, and to 31 when the 32nd
  // byte would start a double-byte character. Returns a static 128-byte
  // buffer that the next call overwrites. A null text gives "".
  static char* ConvertFullWidth(const char* text);

  CSumProgressDlg* progress;  // not owned; set by the run
  ZandakaList* zandakaList;   // not owned; set by the run

 private:
  void Pulse();
  void Advance(short nFrom, short nTo);
  // The lines of one account row (its group left open) and of one
  // sub-account row; 0 at the first failed write.
  int WriteAccountRow(ClXmlWriter* pWriter, const StZandakaItem& item, int nAccount);
  int WriteSubAccountRow(ClXmlWriter* pWriter, const StZandakaItem& item, int nSubAccount);

  std::size_t m_nCursor;  // the row OutputData is writing
  short m_nProgressBase;
};

#include "aggregate/UchiwakeSum.h"

#include <cstring>
#include <new>

#include "aggregate/RowBalance.h"
#include "host/TalBCore.h"
#include "host/TalCmn.h"
#include "platform/win/mbstring.h"
#include "progress/SumProgressDlg.h"

namespace {

// Bytes of a row's name that an item keeps (its buffer holds one more, the NUL).
constexpr int kItemNameBytes = sizeof(StZandakaItem::name) - 1;

// Copies at most kItemNameBytes of the NUL-terminated CP932 `source` into the
// zero-filled `dest`. A double-byte character is kept whole or not at all: a
// lead byte whose trail byte would fall past the limit, or that has no trail
// byte before the NUL, is not copied, so the report never carries a lone lead
// byte that would swallow the character after it.
void CopyItemName(char* dest, const char* source) {
  int i = 0;
  while (i < kItemNameBytes && source[i] != '\0') {
    if (_ismbblead(static_cast<unsigned char>(source[i])) == 0) {
      dest[i] = source[i];
      ++i;
      continue;
    }
    if (i + 1 >= kItemNameBytes || source[i + 1] == '\0') {
      break;
    }
    dest[i] = source[i];
    dest[i + 1] = source[i + 1];
    i += 2;
  }
}

// Rows the summing rule marks as never reported; judged without the master.
bool IsOmittedRow(const StKAMOKUSUMINFO& row) {
  return row.omitA != 0 || row.omitB != 0 || (row.attrFlags & KAMOKU_ATTR_NOT_REPORTED) != 0;
}

}  // namespace

ClUchiwakeSum::ClUchiwakeSum() : progress(nullptr), zandakaList(nullptr), rule(nullptr) {}

ClUchiwakeSum::~ClUchiwakeSum() { ReleaseRule(); }

int ClUchiwakeSum::Aggregate(int taxIncluded, StFINDINFO* findInfo, const StDATAINFO& dataInfo) {
  progress->Advance(0, 100);
  if (rule == nullptr) {
    rule = new (std::nothrow) ClRuleKamoku;
    if (rule == nullptr) {
      return 0;
    }
    ClDataMgr* dataMgr = ClDataMgr::Inst();
    rule->AttachSetMgr(dataMgr->GetSetMgr());
    ClSetData* dataSet = static_cast<ClSetData*>(dataMgr->GetSetObject(ClDataMgr::SET_DATA, 1));
    rule->SetCurDataID(dataSet->GetSelectedInfo()->dataId);
    rule->AttachOptLink(ClLinkMgr::Inst()->GetOptLink());
  }
  progress->Advance(100, 300);

  rule->MoveReady(ClRuleKamoku::_RuleKamokuSumType_Base, ClRuleKamoku::_RuleKamokuSumType_Bmn,
                  ClRuleKamoku::_RuleKamokuSumType_Disptype, findInfo, nullptr,
                  ClRuleKamoku::_RuleKamokuSumType_Past);
  TULONG count = 0;
  if (rule->GetSumCount(&count) != 0) {
    return 0;
  }
  progress->Advance(300, 400);
  if (rule->SetMovePos(0) != 0) {
    return 0;
  }

  const SumSelection selection = ReadSumSelection(findInfo, dataInfo, taxIncluded);
  TLONG status = 0;
  StKAMOKUSUMINFO row;
  for (TULONG i = 0; i < count; ++i) {
    progress->Pulse();
    std::memset(&row, 0, sizeof row);
    status = rule->MoveNext(&row);
    if (status != 0) {
      break;
    }
    if (IsOmittedRow(row)) {
      continue;
    }
    const short kind = LookupKamokuKind(row.code);
    if (kind != 0 && kind != 1) {
      continue;
    }
    // Only reported rows are summed, so a row that is never reported cannot
    // end the run with an amount overflow.
    const ClAmount balance = RowBalance(row, selection);

    StZandakaItem* item = new (std::nothrow) StZandakaItem();
    if (item == nullptr) {
      status = SUM_STATUS_NO_MEMORY;
      break;
    }
    item->code = row.code;
    CopyItemName(item->name, row.name);
    item->hasSub = row.hasSub;
    item->amount = balance.GetRaw();
    try {
      zandakaList->push_back(item);
    } catch (const std::bad_alloc&) {
      delete item;
      status = SUM_STATUS_NO_MEMORY;
      break;
    }
  }
  if (status != 0 && status != ClRuleKamoku::MOVE_END) {
    return 0;
  }

  progress->Advance(400, 500);
  rule->MoveFinish();
  ReleaseRule();
  return 1;
}

short ClUchiwakeSum::LookupKamokuKind(std::uint32_t code) {
  ClSetKamoku* kamokuSet =
      static_cast<ClSetKamoku*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::SET_KAMOKU, 1));

  StFINDINFO entry;
  std::memset(&entry, 0, sizeof entry);
  entry.fieldId = FIND_FIELD_KAMOKU_CODE;
  entry.compareOp = FIND_OP_EQUAL;
  entry.valueType = FIND_VALUE_INT32;
  entry.value.value32 = static_cast<std::int32_t>(code);
  entry.nextLink = FIND_LINK_END;

  // The host leaves `info` as it was when nothing matches, so it must not
  // start out holding the code searched for (0 for a zero-filled record).
  StKAMOKUINFO info;
  std::memset(&info, 0, sizeof info);
  info.code = code + 1;

  TULONG cursor = 0;
  kamokuSet->GetCursor(&cursor);
  kamokuSet->ReadyCursor(cursor);
  kamokuSet->WalkFind(&entry, &info, cursor);
  short kind = -1;
  if (info.code == code) {
    kind = info.kind;
  }
  kamokuSet->ReleaseCursor(cursor);
  return kind;
}

void ClUchiwakeSum::ReleaseRule() {
  if (rule != nullptr) {
    delete rule;
    rule = nullptr;
  }
}

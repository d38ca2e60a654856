#include "aggregate/FindCondition.h"

#include <cstring>
#include <new>

#include "host/TalBCore.h"

void GetPeriodMonths(TLONG periodStart, TLONG periodEnd, short* firstMonth, short* lastMonth) {
  TLONG first = (periodStart % 10000) / 100;
  TLONG last = (periodEnd % 10000) / 100;

  ClTalPeriod* period = new (std::nothrow) ClTalPeriod;
  if (period == nullptr) {
    return;
  }
  TLONG closingDay = 0;
  period->SetPeriod(periodStart, periodEnd);
  period->GetClosingDayByEndDate(periodEnd, 0, &closingDay);
  period->SetClosingDay(closingDay);
  // Writes nothing when it cannot tell; the calendar month above stands then.
  period->GetAMonthByDate(periodStart, &first, 0);
  delete period;

  if (last < first) {
    last += 100;
  }
  if (firstMonth != nullptr) {
    *firstMonth = static_cast<short>(first);
  }
  if (lastMonth != nullptr) {
    *lastMonth = static_cast<short>(last);
  }
}

namespace {

void SetMonthEntry(StFINDINFO& entry, short compareOp, short value, short nextLink) {
  std::memset(&entry, 0, sizeof entry);
  entry.fieldId = FIND_FIELD_MONTH;
  entry.compareOp = compareOp;
  entry.valueType = FIND_VALUE_INT16;
  entry.value.value16 = value;
  entry.nextLink = nextLink;
}

}  // namespace

void BuildFindInfo(StFINDINFO* findInfo, const StDATAINFO& dataInfo, TLONG startMonth,
                   TLONG endMonth) {
  short first = 0;
  short last = 0;
  GetPeriodMonths(dataInfo.periodStart, dataInfo.periodEnd, &first, &last);
  const short lastCalendarMonth = static_cast<short>(last % 100);
  const bool acrossYears = last / 100 != 0;

  const short start = static_cast<short>(startMonth);
  const short end = static_cast<short>(endMonth);
  // The start is placed against the first month, the end against the last
  // month and the turn of the year; for a twelve-month period both rules
  // give the same ordinal for every month.
  const short startOrdinal =
      static_cast<short>(start >= first ? start - first + 1 : start - first + 13);
  const short endOrdinal = static_cast<short>(
      acrossYears && end <= lastCalendarMonth ? end - first + 13 : end - first + 1);

  SetMonthEntry(findInfo[0], FIND_OP_NOT_LESS, startOrdinal, FIND_LINK_AND);
  SetMonthEntry(findInfo[1], FIND_OP_NOT_GREATER, endOrdinal, FIND_LINK_END);
  int lastEntry = 1;

  if (dataInfo.halfYearClosing == 1 && endOrdinal == 6) {
    findInfo[lastEntry].nextLink = FIND_LINK_OR;
    ++lastEntry;
    SetMonthEntry(findInfo[lastEntry], FIND_OP_EQUAL, MONTH_CODE_HALF_YEAR, FIND_LINK_END);
  }
  if (end == lastCalendarMonth) {
    findInfo[lastEntry].nextLink = FIND_LINK_OR;
    ++lastEntry;
    SetMonthEntry(findInfo[lastEntry], FIND_OP_EQUAL, MONTH_CODE_YEAR_END, FIND_LINK_END);
  }
}

// The aggregation period in the host's terms, and the summing condition.
//
// The user chooses a range of calendar months (1 to 12). The host counts the
// months of an accounting period by ordinal, 1 for the first accounting month
// up to 12, and keeps the half-year and year-end closing adjustments as
// periods of their own with the month codes 15 and 18. GetPeriodMonths asks
// the host's period calculator where the period starts and ends; BuildFindInfo
// turns a chosen range into the host's summing condition, the chain of
// StFINDINFO entries that the account-summing rule selects rows with and that
// the aggregation reads back to decide which closing periods to add.
#pragma once

#include "host/HostRecords.h"
#include "host/HostTypes.h"

// Number of entries of the summing condition array handed to BuildFindInfo.
constexpr int SUM_FIND_ENTRIES = 4;
// Month codes of the closing periods in the host's month field.
constexpr short MONTH_CODE_HALF_YEAR = 15;
constexpr short MONTH_CODE_YEAR_END = 18;

// First and last month of the accounting period from `periodStart` to
// `periodEnd` (dates yyyymmdd).
// *firstMonth: the calendar month (1-12) of the first accounting month, as
//   the host's period calculator reports it for the period's first day once
//   the closing day implied by `periodEnd` is set; the calendar month of
//   `periodStart` when the calculator writes nothing.
// *lastMonth: the calendar month of `periodEnd`, plus 100 when it is below
//   the first month (the period runs across the turn of a calendar year).
// Either pointer may be null; only the given ones are written. When the
// period calculator cannot be created, neither output is written.
void GetPeriodMonths(TLONG periodStart, TLONG periodEnd, short* firstMonth, short* lastMonth);

// Writes the summing condition for the calendar months `startMonth` to
// `endMonth` (only their low 16 bits count) of the company data `dataInfo`
// into `findInfo`, an array of SUM_FIND_ENTRIES entries that the caller
// zero-filled. Uses two to four entries, each zero-filled before its fields
// are set; entries it does not use are left untouched:
//   0: month ordinal >= start ordinal, AND
//   1: month ordinal <= end ordinal,
//   then, OR-linked: the half-year closing period 15 when the company closes
//   at the half year (halfYearClosing == 1) and the end ordinal is 6; the
//   year-end closing period 18 when the end month is the period's last month.
// The last entry used has nextLink 0.
void BuildFindInfo(StFINDINFO* findInfo, const StDATAINFO& dataInfo, TLONG startMonth,
                   TLONG endMonth);

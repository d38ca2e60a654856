// The period calculator ClTalPeriod: accounting months of a period whose
// months close on a given day.
//
// A closing day D (1-31) closes each accounting month on day D of its
// calendar month, or on the month's last day when the month is shorter; 99
// closes on the last day of every month. An accounting month is named by the
// calendar month in which it closes: with D = 20 the days from 21 March to
// 20 April make the accounting month 4 (April).
#include <algorithm>
#include <new>

#include "host/TalBCore.h"
#include "talhost/Faults.h"
#include "talhost/HostSession.h"

using talhost::kStatusBadArgument;
using talhost::kStatusNotReady;

namespace {

constexpr TLONG kMonthEnd = 99;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Splits yyyymmdd; false when it is no calendar date (years 1-9999).
bool SplitDate(TLONG date, int* year, int* month, int* day) {
  if (date <= 0) return false;
  *year = date / 10000;
  *month = date / 100 % 100;
  *day = date % 100;
  return *year >= 1 && *year <= 9999 && *month >= 1 && *month <= 12 && *day >= 1 &&
         *day <= DaysInMonth(*year, *month);
}

}  // namespace

ClTalPeriod::ClTalPeriod() = default;
ClTalPeriod::~ClTalPeriod() = default;

void* ClTalPeriod::operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (talhost::CurrentFaultSwitches().periodNewFails) return nullptr;
  return ::operator new(size, std::nothrow);
}

void ClTalPeriod::operator delete(void* p, const std::nothrow_t&) noexcept { ::operator delete(p); }

void ClTalPeriod::operator delete(void* p) noexcept { ::operator delete(p); }

TLONG ClTalPeriod::SetPeriod(TLONG start, TLONG end) {
  int y, m, d;
  if (!SplitDate(start, &y, &m, &d) || !SplitDate(end, &y, &m, &d) || start > end) {
    return kStatusBadArgument;
  }
  m_lStart = start;
  m_lEnd = end;
  return 0;
}

TLONG ClTalPeriod::GetClosingDayByEndDate(TLONG end, short /*flags*/, TLONG* closingDay) {
  int year, month, day;
  if (closingDay == nullptr || !SplitDate(end, &year, &month, &day)) return kStatusBadArgument;
  *closingDay = day == DaysInMonth(year, month) ? kMonthEnd : day;
  return 0;
}

TLONG ClTalPeriod::SetClosingDay(TLONG closingDay) {
  if (closingDay != kMonthEnd && (closingDay < 1 || closingDay > 31)) return kStatusBadArgument;
  m_lClosingDay = closingDay;
  return 0;
}

TLONG ClTalPeriod::GetAMonthByDate(TLONG date, TLONG* month, int /*flags*/) {
  int year, calendarMonth, day;
  if (month == nullptr || !SplitDate(date, &year, &calendarMonth, &day)) {
    return kStatusBadArgument;
  }
  if (m_lStart == 0 || m_lClosingDay == 0) return kStatusNotReady;
  const int closesOn = m_lClosingDay == kMonthEnd
                           ? DaysInMonth(year, calendarMonth)
                           : std::min<int>(m_lClosingDay, DaysInMonth(year, calendarMonth));
  // A day after this month's closing belongs to the month that closes next.
  *month = day > closesOn ? calendarMonth % 12 + 1 : calendarMonth;
  return 0;
}

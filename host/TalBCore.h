// Host business core (module TalBCore): the current user, the data sets, the
// account-summing rule and the period calculator.
//
// Results are 0 for success and non-zero otherwise unless stated. Objects
// handed out by ClDataMgr are owned by the host; ClRuleKamoku and
// ClTalPeriod are created by the caller with `new (std::nothrow)`, which
// yields null when the host cannot create them.
#pragma once

#include <cstddef>
#include <new>

#include "host/HostRecords.h"
#include "host/HostTypes.h"

class ClSetMgr;
class ClOptLink;
class ClSetImpl;
class ClRuleKamokuImpl;
class ClTalPeriodImpl;

class ClSysUser {
 public:
  // Writes the current user's identifier (at most 64 bytes and a NUL) into
  // `userId`, a buffer of 65 bytes. Returns 0.
  TLONG GetCurUserID(char* userId);
  // The two selection numbers of `userId`; the second is the dataNo of the
  // selected company data. Non-zero when the user has no selection.
  TLONG GetSelectedNo(const char* userId, TLONG* first, TLONG* second);
};

// Base of the data sets.
class ClSetBase {
 public:
  virtual ~ClSetBase();
  TLONG AttachSetMgr(ClSetMgr* setMgr);
  // Makes the company data `dataId` (a StDATAINFO::dataId) current.
  TLONG SetCurDataID(const char* dataId);

 protected:
  ClSetBase();
  ClSetImpl* m_pImpl;
};

// The company data entries.
class ClSetData : public ClSetBase {
 public:
  TLONG GetDatCursor(TULONG* cursor);
  TLONG ReadyDat(TULONG cursor, TLONG flags);
  // 0 while a record is delivered into `info` (all its unused bytes zero);
  // non-zero when no record is left.
  TLONG WalkDat(StDATAINFO* info, TULONG cursor);
  TLONG ReleaseDatCursor(TULONG cursor);
  // The host's own copy of the selected entry; never null (all zero when
  // nothing is selected).
  StDATAINFO* GetSelectedInfo();
};

// The consumption-tax settings of the current company data.
class ClSetShohizei : public ClSetBase {
 public:
  // 0 = `info` filled.
  TLONG Get(StSHOHIZEIINFO* info);
};

// The account master of the current company data.
class ClSetKamoku : public ClSetBase {
 public:
  TLONG GetCursor(TULONG* cursor);
  TLONG ReadyCursor(TULONG cursor);
  // Delivers the first master entry that matches the one-entry condition
  // `find` into `info`; 0 when one was found. `info` is left as it was when
  // nothing matches.
  TLONG WalkFind(StFINDINFO* find, StKAMOKUINFO* info, TULONG cursor);
  TLONG ReleaseCursor(TULONG cursor);
};

// Base of the rules.
class ClRuleBase {
 public:
  virtual ~ClRuleBase();
  TLONG AttachSetMgr(ClSetMgr* setMgr);
  TLONG SetCurDataID(const char* dataId);
  TLONG AttachOptLink(ClOptLink* optLink);

 protected:
  ClRuleBase();
  ClSetMgr* m_pSetMgr;
  ClOptLink* m_pOptLink;
  char m_szDataID[16];
};

// The account-summing rule: one summary row per account and sub-account of
// the current company data.
class ClRuleKamoku : public ClRuleBase {
 public:
  enum _RuleKamokuSumType {
    _RuleKamokuSumType_Base = 1,
    _RuleKamokuSumType_Bmn = 0,
    _RuleKamokuSumType_Disptype = 0,
    _RuleKamokuSumType_Past = 0,
  };

  ClRuleKamoku();
  ~ClRuleKamoku() override;

  // Null when the host cannot create the rule.
  static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
  static void operator delete(void* p, const std::nothrow_t&) noexcept;
  static void operator delete(void* p) noexcept;

  // Prepares the rows of the current data under the condition `find` (a run
  // of entries ending with nextLink 0). `bumon` is null for all departments.
  TLONG MoveReady(int base, int bmn, int disptype, StFINDINFO* find, StBUMONINFO* bumon,
                  int past);
  // Number of rows prepared.
  TLONG GetSumCount(TULONG* count);
  TLONG SetMovePos(TLONG pos);
  // 0 = a row delivered into `row`; 5000 = no row left; other = failure.
  // Every row carries all fifteen slots of all four amount tables. Rows come
  // grouped: an account row, its sub-account rows, then one more
  // account-level row that closes the group.
  TLONG MoveNext(StKAMOKUSUMINFO* row);
  TLONG MoveFinish();

  // No row is left (MoveNext).
  static constexpr TLONG MOVE_END = 5000;

 private:
  ClRuleKamokuImpl* m_pRuleImpl;
};

// The period calculator: accounting months of a period with its closing day.
class ClTalPeriod {
 public:
  ClTalPeriod();
  virtual ~ClTalPeriod();

  // Null when the host cannot create the object.
  static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
  static void operator delete(void* p, const std::nothrow_t&) noexcept;
  static void operator delete(void* p) noexcept;

  TLONG SetPeriod(TLONG start, TLONG end);
  // The closing day (1-31, 99 for month end) that the period's end date
  // implies.
  TLONG GetClosingDayByEndDate(TLONG end, short flags, TLONG* closingDay);
  TLONG SetClosingDay(TLONG closingDay);
  // Writes the calendar month (1-12) of the accounting month that holds
  // `date`, once the period and its closing day are set.
  TLONG GetAMonthByDate(TLONG date, TLONG* month, int flags);

 private:
  TLONG m_lStart = 0;
  TLONG m_lEnd = 0;
  TLONG m_lClosingDay = 0;
};

// ClUchiwakeSum: the balance of every account and sub-account of the current
// company data at the end of the chosen month, appended to the balance list.
//
// The host's account-summing rule ClRuleKamoku delivers one summary row per
// account and sub-account, each with fifteen slot amounts per side (slot 0
// the opening balance, 1-12 the months by ordinal, 13 the year-end and 14
// the half-year closing period), with and without consumption tax.
// Aggregate folds the slots selected by the summing condition into one
// balance per row, drops the rows that are not reported and appends one
// StZandakaItem per remaining row, in the host's order, to the list.
//
// The balance of a row: the opening balance and the months before the start
// ordinal (brought forward), the months from the start to the end ordinal,
// and every closing period the condition selects, each movement counted as
// side one minus side two when the row's balanceSide is 1 and as side two
// minus side one otherwise. The year-end closing period is recognised
// wherever its entry stands in the condition chain, so a condition that
// selects the half-year and then the year-end period adds both.
//
// Ownership: `progress` and `zandakaList` are not owned (the caller sets
// them before Aggregate and keeps them alive); the items appended belong to
// the list's owner. `rule` is owned: created by Aggregate, destroyed by
// ReleaseRule, by a successful Aggregate or by the destructor.
#pragma once

#include <cstdint>

#include "aggregate/ZandakaList.h"
#include "host/HostRecords.h"

class CSumProgressDlg;
class ClRuleKamoku;

// Status of the row walk when an item could not be allocated.
constexpr int SUM_STATUS_NO_MEMORY = -1001;

class ClUchiwakeSum {
 public:
  // `rule` null; the caller sets `progress` and `zandakaList`.
  ClUchiwakeSum();
  // Releases the rule if one is still held.
  virtual ~ClUchiwakeSum();
  ClUchiwakeSum(const ClUchiwakeSum&) = delete;
  ClUchiwakeSum& operator=(const ClUchiwakeSum&) = delete;

  // Sums the rows of the current company data selected by `findInfo` (the
  // summing condition of BuildFindInfo, handed to the host unchanged) and
  // appends one item per reported row to *zandakaList. `taxIncluded` 1 sums
  // the amounts including consumption tax, any other value those without.
  // `dataInfo` is the current company data (its half-year switch is read).
  // A row is reported unless its omit flags or not-reported attribute bits
  // are set (judged without the master) or its master kind is other than 0
  // and 1; an item keeps the row's code, hasSub, balance and at most 16
  // bytes of its name, cut so that no lead byte is kept without its trail.
  // Moves the progress bar over 0-500 per mille; Advance(400, 500) only on
  // success. Returns 1 on success, 0 on failure; on failure the items
  // appended so far stay in the list and the rule is kept (null if it could
  // not be created).
  // Throws int -1 (the amount overflow error of ClAmount) when a balance
  // reaches the amount limit; the items appended so far stay, the rule is
  // kept.
  // REQUIRES: progress and zandakaList set; findInfo holds at least the
  // entries its chain uses (at most four).
  int Aggregate(int taxIncluded, StFINDINFO* findInfo, const StDATAINFO& dataInfo);

  // The kind byte of the account-master entry whose combined code is `code`,
  // sign-extended; -1 when the master has no such entry.
  short LookupKamokuKind(std::uint32_t code);

  // Destroys the rule if one is held and sets it to null.
  void ReleaseRule();

  CSumProgressDlg* progress;  // not owned
  ZandakaList* zandakaList;   // not owned
  ClRuleKamoku* rule;         // owned; null when none is held
};

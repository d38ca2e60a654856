// The balance of one summary row of the account-summing rule.
//
// SumSelection reads, once per run, what the summing condition selects: the
// start and end month ordinals (entries 0 and 1), whether the year-end
// closing period 18 is in the chain, whether the half-year closing period is
// added, and which tax variant of the amount tables is summed. RowBalance
// folds a row's slots into its balance with ClAmount:
//
//   brought forward  slots 0 .. start-1 (opening balance and earlier months)
//   range            slots start .. end
//   year-end         slot 13, when the chain holds the entry 18
//   half-year        slot 14, when the company closes at the half year and
//                    the end ordinal is 6
//
// each counted as side one minus side two when balanceSide is 1, otherwise
// as side two minus side one. The month loops read only the slots 0-12, so an
// ordinal outside 1-12 never reads past a table or counts a closing period
// twice.
#pragma once

#include "aggregate/Amount.h"
#include "host/HostRecords.h"

struct SumSelection {
  short startOrdinal;  // value of entry 0
  short endOrdinal;    // value of entry 1
  bool yearEnd;        // the chain selects the year-end closing period
  bool halfYear;       // add the half-year closing period
  bool taxIncluded;    // sum side1Incl/side2Incl instead of the Excl tables
};

// Reads the selection of the summing condition `findInfo` (a chain of at
// most four entries as BuildFindInfo writes it) for the company data
// `dataInfo`; `taxIncluded` 1 chooses the tables including consumption tax.
// The year-end entry is recognised as any entry after entry 1 that the chain
// reaches (the entries before it link on) whose value is 18.
SumSelection ReadSumSelection(const StFINDINFO* findInfo, const StDATAINFO& dataInfo,
                              int taxIncluded);

// Balance of `row` under `selection`. Accumulates without a limit and then
// combines with ClAmount's checked addition: throws int -1 when the balance
// reaches the amount limit (or an accumulation leaves the 64-bit range).
ClAmount RowBalance(const StKAMOKUSUMINFO& row, const SumSelection& selection);

#include "aggregate/RowBalance.h"

#include <algorithm>

#include "aggregate/FindCondition.h"

namespace {

// Highest slot the month loops read: the twelfth month ordinal.
constexpr int kLastMonthSlot = 12;

// Side one and side two of one slot in the chosen tax variant. The record is
// packed, so its tables are read by element, never through a pointer.
struct SlotPair {
  ClAmount one;
  ClAmount two;
};

SlotPair Slot(const StKAMOKUSUMINFO& row, bool taxIncluded, int k) {
  if (taxIncluded) {
    return {ClAmount(row.side1Incl[k]), ClAmount(row.side2Incl[k])};
  }
  return {ClAmount(row.side1Excl[k]), ClAmount(row.side2Excl[k])};
}

void AddSlots(const StKAMOKUSUMINFO& row, bool taxIncluded, int from, int to, ClAmount& a,
              ClAmount& b) {
  for (int k = std::max(from, 0); k <= std::min(to, kLastMonthSlot); ++k) {
    const SlotPair slot = Slot(row, taxIncluded, k);
    a += slot.one;
    b += slot.two;
  }
}

}  // namespace

SumSelection ReadSumSelection(const StFINDINFO* findInfo, const StDATAINFO& dataInfo,
                              int taxIncluded) {
  SumSelection selection{};
  selection.startOrdinal = findInfo[0].value.value16;
  selection.endOrdinal = findInfo[1].value.value16;
  // Entry 1 ends the month range; whatever it links on to is a closing
  // period. The half-year entry 15 may stand before the year-end entry 18.
  for (int i = 2; i < SUM_FIND_ENTRIES && findInfo[i - 1].nextLink != FIND_LINK_END; ++i) {
    if (findInfo[i].value.value16 == MONTH_CODE_YEAR_END) {
      selection.yearEnd = true;
    }
  }
  selection.halfYear = dataInfo.halfYearClosing == 1 && selection.endOrdinal == 6;
  selection.taxIncluded = taxIncluded == 1;
  return selection;
}

ClAmount RowBalance(const StKAMOKUSUMINFO& row, const SumSelection& selection) {
  const bool sideOne = row.balanceSide == 1;
  ClAmount a;
  ClAmount b;
  AddSlots(row, selection.taxIncluded, 0, selection.startOrdinal - 1, a, b);
  const ClAmount broughtForward = sideOne ? a - b : b - a;

  a = ClAmount();
  b = ClAmount();
  if (selection.yearEnd) {
    const SlotPair slot = Slot(row, selection.taxIncluded, KAMOKU_SLOT_YEAR_END);
    a = slot.one;
    b = slot.two;
  }
  AddSlots(row, selection.taxIncluded, selection.startOrdinal, selection.endOrdinal, a, b);
  if (selection.halfYear) {
    const SlotPair slot = Slot(row, selection.taxIncluded, KAMOKU_SLOT_HALF_YEAR);
    a += slot.one;
    b += slot.two;
  }
  return sideOne ? (broughtForward + a) - b : (broughtForward + b) - a;
}

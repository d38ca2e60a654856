#include "talhost/SlotAggregate.h"

#include <cstddef>
#include <cstdint>

#include "host/HostRecords.h"

namespace talhost {
namespace {

constexpr int kTableSlots = KAMOKU_SLOT_COUNT;

struct Accumulator {
  std::int64_t sums[4 * kTableSlots];
  bool overflow;
};
static_assert(sizeof(Accumulator::sums) == kSlotBlobBytes);
// The blob is copied over the four tables of the record as they lie.
static_assert(offsetof(StKAMOKUSUMINFO, side1Incl) ==
              offsetof(StKAMOKUSUMINFO, side1Excl) + kTableSlots * sizeof(std::int64_t));
static_assert(offsetof(StKAMOKUSUMINFO, side2Excl) ==
              offsetof(StKAMOKUSUMINFO, side1Incl) + kTableSlots * sizeof(std::int64_t));
static_assert(offsetof(StKAMOKUSUMINFO, side2Incl) ==
              offsetof(StKAMOKUSUMINFO, side2Excl) + kTableSlots * sizeof(std::int64_t));

int SlotOf(std::int64_t monthCode) {
  if (monthCode >= 0 && monthCode <= 12) return static_cast<int>(monthCode);
  if (monthCode == 18) return KAMOKU_SLOT_YEAR_END;
  if (monthCode == 15) return KAMOKU_SLOT_HALF_YEAR;
  return -1;
}

void Add(Accumulator* acc, int index, std::int64_t amount) {
  if (__builtin_add_overflow(acc->sums[index], amount, &acc->sums[index])) acc->overflow = true;
}

void Step(sqlite3_context* context, int /*argc*/, sqlite3_value** argv) {
  auto* acc = static_cast<Accumulator*>(sqlite3_aggregate_context(context, sizeof(Accumulator)));
  if (acc == nullptr) {
    sqlite3_result_error_nomem(context);
    return;
  }
  const int slot = SlotOf(sqlite3_value_int64(argv[0]));
  const std::int64_t side = sqlite3_value_int64(argv[1]);
  if (slot < 0 || (side != 1 && side != 2)) return;
  const int table = side == 1 ? 0 : 2;  // without tax; with tax follows
  Add(acc, table * kTableSlots + slot, sqlite3_value_int64(argv[2]));
  Add(acc, (table + 1) * kTableSlots + slot, sqlite3_value_int64(argv[3]));
}

void Final(sqlite3_context* context) {
  static const std::int64_t kNone[4 * kTableSlots] = {};
  auto* acc = static_cast<Accumulator*>(sqlite3_aggregate_context(context, 0));
  if (acc != nullptr && acc->overflow) {
    sqlite3_result_error(context, "integer overflow", -1);
    return;
  }
  sqlite3_result_blob(context, acc != nullptr ? acc->sums : kNone, kSlotBlobBytes,
                      SQLITE_TRANSIENT);
}

}  // namespace

int RegisterSlotAggregate(sqlite3* db) {
  return sqlite3_create_function_v2(db, "kamoku_slots", 4, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                    nullptr, nullptr, Step, Final, nullptr);
}

}  // namespace talhost

// The SQL aggregate kamoku_slots(month_code, side, excl, incl): the fifteen
// slots of the four amount tables of a summary row, summed over the lines
// of a group.
//
// Its result is a blob of 60 int64 (native byte order) in the order of the
// summary record: side one without tax (slots 0-14), side one with tax,
// side two without tax, side two with tax. Slots: month code 0 and 1-12 as
// they are, 18 -> 13, 15 -> 14; lines with another month code or side are
// not counted (the schema admits none). A sum beyond 64 bits makes the
// query fail with "integer overflow", as SQL's SUM does.
//
// One aggregate call per line instead of a group per month and side keeps
// the summing rule's queries to one streaming pass over an index.
#pragma once

#include <sqlite3.h>

#include <cstddef>

namespace talhost {

// Bytes of a kamoku_slots result.
constexpr std::size_t kSlotBlobBytes = 60 * sizeof(long long);

// Makes kamoku_slots available on `db`. Returns the SQLite code.
int RegisterSlotAggregate(sqlite3* db);

}  // namespace talhost

// The balance list: one item per reported account or sub-account row.
//
// The application owns the list and its items for the whole life of the
// program; the aggregation appends items, the report reads them, and the
// application deletes every item and empties the list at exit. The
// aggregation and the report hold only a pointer to the list.
#pragma once

#include <cstdint>
#include <vector>

struct StZandakaItem {
  std::uint32_t code;   // account code * 10000 + sub-account code; a multiple
                        // of 10000 is the account's own row
  char name[17];        // at most 16 bytes of CP932 text, always NUL-terminated
  std::uint8_t hasSub;  // non-zero: the account's sub-account rows follow it
  std::int64_t amount;  // balance in ten-thousandths of a currency unit
};

// Ordered as the aggregation appended the items; nothing sorts it. Owns the
// items it points to (deleted by the application, never by the list).
typedef std::vector<StZandakaItem*> ZandakaList;

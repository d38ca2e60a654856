// Records exchanged with the host libraries, with their exact byte layouts.
//
// Every record is packed to one byte and proven by static_assert on each
// offset the program relies on and on its total size. Bytes named
// `reserved...` belong to the host: the program zero-fills a record before
// handing it over and carries those bytes along unread.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// One company data entry (1505 bytes).
struct StDATAINFO {
  char dataId[16];             // NUL-terminated identifier of the data
  std::int32_t dataNo;         // number of the entry; matched with the user's selection
  std::uint8_t reserved20[4];
  char companyName[260];       // NUL-terminated company name (CP932)
  std::int32_t periodStart;    // first day of the accounting period, yyyymmdd
  std::int32_t periodEnd;      // last day of the accounting period, yyyymmdd
  std::uint8_t reserved292[12];
  std::int32_t halfYearClosing;  // 1 = the company closes its books at the half year
  std::uint8_t reserved308[18];
  std::int16_t dataKind;       // 99 = past results data
  std::uint8_t reserved328[1177];
};
static_assert(offsetof(StDATAINFO, dataId) == 0);
static_assert(offsetof(StDATAINFO, dataNo) == 16);
static_assert(offsetof(StDATAINFO, companyName) == 24);
static_assert(offsetof(StDATAINFO, periodStart) == 284);
static_assert(offsetof(StDATAINFO, periodEnd) == 288);
static_assert(offsetof(StDATAINFO, halfYearClosing) == 304);
static_assert(offsetof(StDATAINFO, dataKind) == 326);
static_assert(sizeof(StDATAINFO) == 1505);

// One condition entry of a find or summing condition (34 bytes).
struct StFINDINFO {
  std::int32_t fieldId;        // 17 = month ordinal, 2 = combined account code
  std::uint8_t reserved4[2];
  std::int16_t compareOp;      // 1 equal, 4 not less than, 6 not greater than
  std::uint8_t reserved8[2];
  std::int16_t valueType;      // 2 = 16-bit value, 3 = 32-bit value
  std::uint8_t reserved12[6];
  union {
    std::int16_t value16;      // valueType 2
    std::int32_t value32;      // valueType 3
  } value;
  std::uint8_t reserved22[8];
  std::int16_t nextLink;       // 0 last entry, 1 AND next, 2 OR next
  std::uint8_t reserved32[2];
};
static_assert(offsetof(StFINDINFO, fieldId) == 0);
static_assert(offsetof(StFINDINFO, compareOp) == 6);
static_assert(offsetof(StFINDINFO, valueType) == 10);
static_assert(offsetof(StFINDINFO, value) == 18);
static_assert(offsetof(StFINDINFO, nextLink) == 30);
static_assert(sizeof(StFINDINFO) == 34);

// Field, operator and value-type codes of StFINDINFO used by the program.
enum : std::int32_t { FIND_FIELD_KAMOKU_CODE = 2, FIND_FIELD_MONTH = 17 };
enum : std::int16_t { FIND_OP_EQUAL = 1, FIND_OP_NOT_LESS = 4, FIND_OP_NOT_GREATER = 6 };
enum : std::int16_t { FIND_VALUE_INT16 = 2, FIND_VALUE_INT32 = 3 };
enum : std::int16_t { FIND_LINK_END = 0, FIND_LINK_AND = 1, FIND_LINK_OR = 2 };

// Number of slots in each amount table of a summary row.
constexpr int KAMOKU_SLOT_COUNT = 15;
// Slot 0 opening balance, 1-12 month ordinals, 13 year-end, 14 half-year.
constexpr int KAMOKU_SLOT_YEAR_END = 13;
constexpr int KAMOKU_SLOT_HALF_YEAR = 14;

// One summary row of the account-summing rule (636 bytes). Amounts are signed
// counts of ten-thousandths of a currency unit.
struct StKAMOKUSUMINFO {
  std::uint8_t reserved0[32];
  std::uint32_t code;          // account code * 10000 + sub-account code
  std::uint8_t reserved36[33];
  char name[57];               // NUL-terminated name (CP932)
  std::uint8_t omitA;          // non-zero: the row is not reported
  std::uint8_t omitB;          // non-zero: the row is not reported
  std::uint8_t reserved128;
  std::uint8_t hasSub;         // non-zero: sub-account rows follow
  std::uint8_t balanceSide;    // 1: side one minus side two, else side two minus side one
  std::uint8_t reserved131[5];
  std::uint32_t attrFlags;     // bits 0x18000000: the row is not reported
  std::uint8_t reserved140[12];
  std::int64_t side1Excl[KAMOKU_SLOT_COUNT];
  std::int64_t side1Incl[KAMOKU_SLOT_COUNT];
  std::int64_t side2Excl[KAMOKU_SLOT_COUNT];
  std::int64_t side2Incl[KAMOKU_SLOT_COUNT];
  std::uint8_t reserved632[4];
};
static_assert(offsetof(StKAMOKUSUMINFO, code) == 32);
static_assert(offsetof(StKAMOKUSUMINFO, name) == 69);
static_assert(offsetof(StKAMOKUSUMINFO, omitA) == 126);
static_assert(offsetof(StKAMOKUSUMINFO, omitB) == 127);
static_assert(offsetof(StKAMOKUSUMINFO, hasSub) == 129);
static_assert(offsetof(StKAMOKUSUMINFO, balanceSide) == 130);
static_assert(offsetof(StKAMOKUSUMINFO, attrFlags) == 136);
static_assert(offsetof(StKAMOKUSUMINFO, side1Excl) == 152);
static_assert(offsetof(StKAMOKUSUMINFO, side1Incl) == 272);
static_assert(offsetof(StKAMOKUSUMINFO, side2Excl) == 392);
static_assert(offsetof(StKAMOKUSUMINFO, side2Incl) == 512);
static_assert(sizeof(StKAMOKUSUMINFO) == 636);

// Attribute bits of StKAMOKUSUMINFO::attrFlags that keep a row out of reports.
constexpr std::uint32_t KAMOKU_ATTR_NOT_REPORTED = 0x18000000u;

// One account-master entry (208 bytes).
struct StKAMOKUINFO {
  std::uint8_t reserved0[16];
  std::uint32_t code;          // combined code of the entry
  char name[57];               // NUL-terminated name (CP932), the host's own use
  std::uint8_t reserved77[35];
  std::int8_t kind;            // master kind; 0 and 1 are reported
  std::uint8_t reserved113[95];
};
static_assert(offsetof(StKAMOKUINFO, code) == 16);
static_assert(offsetof(StKAMOKUINFO, kind) == 112);
static_assert(sizeof(StKAMOKUINFO) == 208);

// Consumption-tax settings (12 bytes).
struct StSHOHIZEIINFO {
  std::uint8_t reserved0[5];
  std::uint8_t inclusiveFlag;  // non-zero: amounts are kept including tax
  std::uint8_t reserved6[6];
};
static_assert(offsetof(StSHOHIZEIINFO, inclusiveFlag) == 5);
static_assert(sizeof(StSHOHIZEIINFO) == 12);

#pragma pack(pop)

// Department record; the program passes none.
struct StBUMONINFO;

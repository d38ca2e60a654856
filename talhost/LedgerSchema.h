// The ledger's schema: the SQLite tables in which the host stand-in keeps
// company data, users and their selections, the account master and the
// amount lines.
//
// Tables (all text UTF-8, all amounts signed ten-thousandths of a unit):
//
//   company    one row per company data entry (StDATAINFO) with its
//              consumption-tax setting (StSHOHIZEIINFO::inclusiveFlag).
//   app_user   the host's users.
//   selection  per user the two selection numbers; data_no is the second
//              one, the dataNo of the company data the user works on.
//   account    the accounts and sub-accounts of each company, keyed by the
//              combined code account * 10000 + sub-account. A sub-account
//              needs its account (a trigger refuses it otherwise).
//              in_master = 0 keeps the postings of an entry that was taken
//              out of the account master: the summing rule still delivers
//              its row, the master lookup does not find it.
//   amount     the amount lines: per code, month code (0 opening balance,
//              1-12 month ordinals, 15 half-year closing, 18 year-end
//              closing) and side (1 or 2), the amount without and with
//              consumption tax. Many lines may share a code and month; the
//              summing rule adds them up with SQL aggregates. The column
//              account (code / 10000) is computed, for the account totals.
//
// Whether an account has sub-accounts is not stored: it is whether any
// sub-account entry exists for it, so a row's hasSub can never disagree with
// the rows that follow it.
#pragma once

namespace talhost {

class Database;

// Version written to PRAGMA user_version; the host refuses other versions.
constexpr int kLedgerSchemaVersion = 1;

// Creates every table of an empty ledger and stamps its version. Returns the
// SQLite code (db.ErrorText() tells why on failure).
int CreateLedgerSchema(Database& db);

}  // namespace talhost

#include "talhost/CompanyData.h"

#include <cstring>

#include "talhost/HostSession.h"
#include "talhost/HostText.h"
#include "talhost/Sqlite.h"

namespace talhost {
namespace {

constexpr const char* kCompanyColumns =
    "SELECT data_no, data_id, name, period_start, period_end, half_year_closing, data_kind "
    "FROM company ";

Statement& Prepared(const std::string& sql) { return HostSession::Get().Prepared(sql); }

// Steps `query` once: SQLITE_ROW, SQLITE_DONE, or anything else as an error.
TLONG StepOnce(Statement& query, TLONG statusWhenNone) {
  if (!query.Ok()) return kStatusLedgerError;
  const int rc = query.Step();
  if (rc == SQLITE_DONE) return statusWhenNone;
  if (rc != SQLITE_ROW) return kStatusLedgerError;
  return 0;
}

TLONG ReadCompanyRow(Statement& query, StDATAINFO* info) {
  ScopedReset reset(query);
  if (const TLONG rc = StepOnce(query, kStatusNoRecord); rc != 0) return rc;
  std::memset(info, 0, sizeof(*info));
  info->dataNo = static_cast<std::int32_t>(query.Int(0));
  CopyToField(query.Text(1), info->dataId, sizeof(info->dataId));
  CopyToField(query.Text(2), info->companyName, sizeof(info->companyName));
  info->periodStart = static_cast<std::int32_t>(query.Int(3));
  info->periodEnd = static_cast<std::int32_t>(query.Int(4));
  info->halfYearClosing = static_cast<std::int32_t>(query.Int(5));
  info->dataKind = static_cast<std::int16_t>(query.Int(6));
  return 0;
}

}  // namespace

TLONG ReadDataInfo(TLONG dataNo, StDATAINFO* info) {
  Statement& query = Prepared(std::string(kCompanyColumns) + "WHERE data_no = ?");
  query.Bind(1, dataNo);
  return ReadCompanyRow(query, info);
}

TLONG ReadNextDataInfo(bool fromStart, TLONG afterDataNo, StDATAINFO* info) {
  Statement& query =
      Prepared(std::string(kCompanyColumns) + "WHERE ?1 OR data_no > ?2 ORDER BY data_no LIMIT 1");
  query.Bind(1, fromStart ? 1 : 0);
  query.Bind(2, afterDataNo);
  return ReadCompanyRow(query, info);
}

TLONG FindDataNo(const std::string& dataId, TLONG* dataNo) {
  Statement& query = Prepared("SELECT data_no FROM company WHERE data_id = ?");
  ScopedReset reset(query);
  query.Bind(1, dataId);
  if (const TLONG rc = StepOnce(query, kStatusNoData); rc != 0) return rc;
  *dataNo = static_cast<TLONG>(query.Int(0));
  return 0;
}

TLONG ReadSelection(const std::string& userId, TLONG* first, TLONG* second) {
  Statement& query = Prepared("SELECT first_no, data_no FROM selection WHERE user_id = ?");
  ScopedReset reset(query);
  query.Bind(1, userId);
  if (const TLONG rc = StepOnce(query, kStatusNoRecord); rc != 0) return rc;
  if (first != nullptr) *first = static_cast<TLONG>(query.Int(0));
  if (second != nullptr) *second = static_cast<TLONG>(query.Int(1));
  return 0;
}

TLONG CurrentSelectedDataNo(TLONG* dataNo) {
  TLONG first = 0;
  const TLONG rc = ReadSelection(HostSession::Get().UserId(), &first, dataNo);
  return rc == kStatusNoRecord ? kStatusNoData : rc;
}

TLONG ReadTaxInclusive(TLONG dataNo, bool* inclusive) {
  Statement& query = Prepared("SELECT tax_inclusive FROM company WHERE data_no = ?");
  ScopedReset reset(query);
  query.Bind(1, dataNo);
  if (const TLONG rc = StepOnce(query, kStatusNoData); rc != 0) return rc;
  *inclusive = query.Int(0) != 0;
  return 0;
}

}  // namespace talhost

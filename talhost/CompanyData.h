// Company data entries and users' selections as the host records carry
// them, read from the session's ledger. REQUIRES: the session is open.
#pragma once

#include <string>

#include "host/HostRecords.h"
#include "host/HostTypes.h"

namespace talhost {

// Fills `info` with the company data `dataNo`: zeroed first, then dataId,
// dataNo, companyName (CP932, cut on a character boundary to 259 bytes),
// periodStart, periodEnd, halfYearClosing and dataKind. Returns 0,
// kStatusNoRecord when there is no such entry (info untouched), or
// kStatusLedgerError.
TLONG ReadDataInfo(TLONG dataNo, StDATAINFO* info);

// Fills `info` with the entry that follows `afterDataNo` in dataNo order, or
// the first entry when `fromStart`. Same results as ReadDataInfo.
TLONG ReadNextDataInfo(bool fromStart, TLONG afterDataNo, StDATAINFO* info);

// The dataNo of the entry whose dataId is `dataId` (UTF-8). 0,
// kStatusNoData or kStatusLedgerError.
TLONG FindDataNo(const std::string& dataId, TLONG* dataNo);

// The selection numbers of the user `userId` (UTF-8). 0 when the user has a
// selection, kStatusNoRecord when not (outputs untouched), or
// kStatusLedgerError.
TLONG ReadSelection(const std::string& userId, TLONG* first, TLONG* second);

// The dataNo that the session's current user selected. 0, kStatusNoData,
// or kStatusLedgerError.
TLONG CurrentSelectedDataNo(TLONG* dataNo);

// Whether the tax setting of `dataNo` keeps amounts including tax. 0,
// kStatusNoData or kStatusLedgerError.
TLONG ReadTaxInclusive(TLONG dataNo, bool* inclusive);

}  // namespace talhost

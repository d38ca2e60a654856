// The account breakdown report written with libxml2's xmlTextWriter, for a
// side-by-side comparison: the same elements, values, nesting and Count
// attributes in Shift_JIS, indented with tabs; libxml2 ends lines in LF and
// buffers its output.
#pragma once

#include <string>

#include "aggregate/ZandakaList.h"
#include "host/HostRecords.h"

namespace benchreport {

// True when the benchmark was built with libxml2.
bool HaveLibxml();

// Writes the report for `list` and `data` to the POSIX file `path`. The
// names of the list are converted to UTF-8 (libxml2's input) before the
// clock starts: `utf8Names` holds the name of each item, `utf8Company` the
// full-width company name and `utf8Label` the product label. Returns false when
// libxml2 reports an error or is missing.
bool WriteWithLibxml(const std::string& path, const ZandakaList& list, const StDATAINFO& data,
                     const std::vector<std::string>& utf8Names, const std::string& utf8Company,
                     const std::string& utf8Label);

}  // namespace benchreport

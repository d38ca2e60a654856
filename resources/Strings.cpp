// The program's string table.
//
// String 1 is the version of this linking component that the report writes as
// CONNECTEDPROGRAMVER; it is the same in all three deliverables. The table is
// registered by a static initialiser: resources are an object library, so
// this file is linked into every deliverable and every test that names it.
#include "platform/win/resource_strings.h"

namespace {

constexpr StringResource kStringTable[] = {
    {1, "19.00.00"},
};

const bool g_bStringsRegistered = [] {
  uw::RegisterStringResources(kStringTable, sizeof(kStringTable) / sizeof(kStringTable[0]));
  return true;
}();

}  // namespace

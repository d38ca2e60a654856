// The host's internal objects behind the classes declared in host/: the set
// manager and the option link (opaque to the program), and the state of a
// data set.
#pragma once

#include <map>
#include <string>

#include "host/HostTypes.h"

// The host's set manager. Sets and rules are attached to the one instance
// that ClDataMgr::GetSetMgr hands out; a rule refuses to run without it.
class ClSetMgr {
 public:
  ClSetMgr() = default;
};

// The host's option link: the link options of the run. It carries nothing
// the stand-in uses; a rule accepts it or none.
class ClOptLink {
 public:
  ClOptLink() = default;
};

// State of one data set (ClSetData, ClSetShohizei, ClSetKamoku).
class ClSetImpl {
 public:
  struct Cursor {
    bool ready = false;     // ReadyDat/ReadyCursor was called
    bool started = false;   // something was delivered
    long long lastKey = 0;  // dataNo or code delivered last
  };

  // Current company data: chosen by SetCurDataID, else the current user's
  // selection.
  bool m_bCurChosen = false;
  bool m_bCurKnown = false;  // the chosen data id exists
  TLONG m_lCurDataNo = 0;
  ClSetMgr* m_pSetMgr = nullptr;
  std::map<TULONG, Cursor> m_cursors;

  // Returns to the state of a fresh set.
  void Reset() { *this = ClSetImpl(); }
  // The dataNo the set works on: 0, kStatusNoData, kStatusNotConnected or
  // kStatusLedgerError.
  TLONG CurrentDataNo(TLONG* dataNo) const;
};

namespace talhost {

// Returns every set to its fresh state (cursors and current data dropped);
// called when the connection is terminated or released.
void ResetHostSets();

}  // namespace talhost

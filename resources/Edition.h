// The build-time values that tell the three deliverables apart.
//
// Everything else is compiled once; each deliverable links exactly one of
// resources/EditionGrn.cpp, EditionWht.cpp, EditionBlu.cpp, which defines
// g_edition.
#pragma once

#include "host/TalEnvMgr.h"

struct StEditionInfo {
  ClSysEnvMgr::_AppType appType;  // passed to ClTalConnect::SetAppType
  const char* productLabel;       // default PROGRAMNAME of the report (CP932)
  const char* envFileName;        // saved conditions file in host folder 1
};

extern const StEditionInfo g_edition;

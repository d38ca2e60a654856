// Host common services (module TalCmn): the data manager and the link manager.
//
// Both are singletons reached through Inst(); results are never null. The
// host owns every object they hand out.
#pragma once

#include "host/HostTypes.h"

class ClSysUser;
class ClSetMgr;
class ClSetBase;
class ClOptLink;

class ClDataMgr {
 public:
  // Kinds of GetSetObject.
  enum : TLONG { SET_KAMOKU = 1, SET_SHOHIZEI = 4, SET_DATA = 5 };

  static ClDataMgr* Inst();

  // The current user of the host.
  ClSysUser* GetSysUserObject();
  // The set manager that sets and rules are attached to.
  ClSetMgr* GetSetMgr();
  // The set of `kind`: 5 ClSetData, 4 ClSetShohizei, 1 ClSetKamoku. The
  // caller casts the result to that class. `shared` is always 1.
  ClSetBase* GetSetObject(TLONG kind, int shared);

 private:
  ClDataMgr() = default;
};

class ClLinkMgr {
 public:
  static ClLinkMgr* Inst();
  // The option link that rules are attached to.
  ClOptLink* GetOptLink();

 private:
  ClLinkMgr() = default;
};

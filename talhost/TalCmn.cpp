// ClDataMgr and ClLinkMgr: the singletons that hand out the host's objects.
// The objects live as long as the process; releasing the connection returns
// them to their fresh state but never frees them, so a pointer the program
// kept stays valid.
#include "host/TalCmn.h"

#include "host/TalBCore.h"
#include "talhost/HostObjects.h"

namespace {

struct HostObjects {
  ClSysUser user;
  ClSetMgr setMgr;
  ClOptLink optLink;
  ClSetData data;
  ClSetShohizei shohizei;
  ClSetKamoku kamoku;
};

HostObjects& Objects() {
  static HostObjects* objects = new HostObjects;
  return *objects;
}

}  // namespace

ClDataMgr* ClDataMgr::Inst() {
  static ClDataMgr* instance = new ClDataMgr;
  return instance;
}

ClSysUser* ClDataMgr::GetSysUserObject() { return &Objects().user; }

ClSetMgr* ClDataMgr::GetSetMgr() { return &Objects().setMgr; }

ClSetBase* ClDataMgr::GetSetObject(TLONG kind, int /*shared*/) {
  switch (kind) {
    case SET_DATA:
      return &Objects().data;
    case SET_SHOHIZEI:
      return &Objects().shohizei;
    case SET_KAMOKU:
      return &Objects().kamoku;
    default:
      return nullptr;
  }
}

ClLinkMgr* ClLinkMgr::Inst() {
  static ClLinkMgr* instance = new ClLinkMgr;
  return instance;
}

ClOptLink* ClLinkMgr::GetOptLink() { return &Objects().optLink; }

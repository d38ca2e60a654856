// Host environment manager: only the type of the edition number is used.
#pragma once

class ClSysEnvMgr {
 public:
  // Edition of the host application, handed to ClTalConnect::SetAppType.
  enum _AppType : long {
    _AppType_Wht = 0,
    _AppType_Blu = 3,
    _AppType_Grn = 4,
  };
};

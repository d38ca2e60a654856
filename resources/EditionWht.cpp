// Edition values of TalWht19ToUG13_U.
#include "resources/Edition.h"

const StEditionInfo g_edition = {
    ClSysEnvMgr::_AppType_Wht,
    "タルベ１９",
    "TalWht19ToUg13_U.env",
};

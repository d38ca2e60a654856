// Edition values of TalBlu19ToUG13_U.
#include "resources/Edition.h"

const StEditionInfo g_edition = {
    ClSysEnvMgr::_AppType_Blu,
    "タルベ１９ アオ",
    "TalBlu19ToUg13_U.env",
};

// Edition values of TalGrn19ToUG13_U.
#include "resources/Edition.h"

const StEditionInfo g_edition = {
    ClSysEnvMgr::_AppType_Grn,
    "タルベ１９ ミドリ",
    "TalGrn19ToUg13_U.env",
};

// Conditions dialog: the user's saved record of the last successful run.

#include "conditions/SavedConditions.h"
#include "conditions/SumCondDlg.h"
#include "host/TalFileMgr.h"
#include "resources/Edition.h"

namespace {

ClSavedConditions SavedConditionsOf(const char* userId, LONG selectedNo1, LONG selectedNo2) {
  return ClSavedConditions(userId, selectedNo1, selectedNo2,
                           ClFileMgr::Inst()->GetAppFolderPath(ClFileMgr::_FolderType_Env),
                           g_edition.envFileName);
}

}  // namespace

int CSumCondDlg::LoadConditions(short* tax, short* endMonth, char* path) {
  return SavedConditionsOf(m_szUserID, m_lSelectedNo1, m_lSelectedNo2).Load(tax, endMonth, path);
}

int CSumCondDlg::SaveConditions(short tax, short endMonth, const char* path) {
  return SavedConditionsOf(m_szUserID, m_lSelectedNo1, m_lSelectedNo2)
      .Save(tax, endMonth, path, m_szSavedPath);
}

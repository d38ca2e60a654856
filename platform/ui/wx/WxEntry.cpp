// Interim: real windows are being built; until then every process runs
// headless (the caller says so on stderr).
#include "platform/ui/wx/WxEntry.h"

namespace uw::ui {

bool StartWx(int&, char**) { return false; }
void StopWx() {}
std::unique_ptr<Backend> MakeWxBackend() { return nullptr; }

}  // namespace uw::ui

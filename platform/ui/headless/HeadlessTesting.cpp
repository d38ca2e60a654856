#include "platform/ui/headless/HeadlessTesting.h"

#include <memory>

#include "platform/ui/WindowTable.h"
#include "platform/ui/headless/HeadlessBackendImpl.h"

namespace uw::headless {
namespace {

std::vector<uw::ui::RecordedCall>& Calls() {
  static auto* calls = new std::vector<uw::ui::RecordedCall>();
  return *calls;
}

// The current backend when it is a headless one kept for tests; otherwise
// a fresh one is installed.
HeadlessBackend& TestBackend() {
  if (uw::ui::HasBackend()) {
    uw::ui::Backend& current = uw::ui::CurrentBackend();
    if (auto* headless = dynamic_cast<HeadlessBackend*>(&current);
        headless != nullptr && headless->IsCapturing()) {
      return *headless;
    }
  }
  Start();
  return static_cast<HeadlessBackend&>(uw::ui::CurrentBackend());
}

}  // namespace

void Start(const std::string& script) {
  auto backend = std::make_unique<HeadlessBackend>(true);
  backend->GetScript().Load(script);
  uw::ui::InstallBackend(std::move(backend));
  RecordCalls(false);
  Calls().clear();
}

void SetScript(const std::string& lines) { TestBackend().GetScript().Load(lines); }

std::string TakeTranscript() { return TestBackend().TakeTranscript(); }

void RecordCalls(bool on) { uw::ui::WindowTable::Get().SetRecorder(on ? &Calls() : nullptr); }

std::vector<uw::ui::RecordedCall> TakeCalls() {
  std::vector<uw::ui::RecordedCall> taken;
  taken.swap(Calls());
  return taken;
}

std::size_t RemainingActions() { return TestBackend().GetScript().Remaining(); }

}  // namespace uw::headless

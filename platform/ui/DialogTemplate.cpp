#include "platform/ui/DialogTemplate.h"

#include <map>

namespace uw {
namespace {

// Function-local so that registrations from static initialisers of other
// libraries find the table made, whatever the order of initialisation.
std::map<UINT, const DialogTemplateData*>& Templates() {
  static auto* templates = new std::map<UINT, const DialogTemplateData*>();
  return *templates;
}

struct Icon {
  const IconImage* images = nullptr;
  std::size_t count = 0;
};

Icon& ApplicationIcon() {
  static Icon icon;
  return icon;
}

}  // namespace

void RegisterDialogTemplate(const DialogTemplateData* dialog) { Templates()[dialog->id] = dialog; }

const DialogTemplateData* FindDialogTemplate(UINT id) {
  const auto found = Templates().find(id);
  return found != Templates().end() ? found->second : nullptr;
}

void RegisterApplicationIcon(UINT, const IconImage* images, std::size_t count) {
  ApplicationIcon() = Icon{images, count};
}

const IconImage* GetApplicationIcon(std::size_t* count) {
  *count = ApplicationIcon().count;
  return ApplicationIcon().images;
}

}  // namespace uw

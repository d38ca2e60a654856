#include "platform/ui/DialogTemplate.h"

#include <cctype>
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

char MnemonicOf(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
  }
  return 0;
}

}  // namespace uw

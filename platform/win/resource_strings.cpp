#include "platform/win/resource_strings.h"

#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/win/mbstring.h"

namespace {

// Built on first use: the program registers its table from a static
// initialiser in another library, which may run before this file's statics.
struct Registry {
  std::mutex m_lock;
  std::unordered_map<UINT, const char*> m_texts;
};

Registry& TheRegistry() {
  static Registry* registry = new Registry;  // never destroyed: used until exit
  return *registry;
}

}  // namespace

namespace uw {

void RegisterStringResources(const StringResource* table, std::size_t count) {
  if (table == nullptr) return;
  Registry& registry = TheRegistry();
  std::lock_guard<std::mutex> guard(registry.m_lock);
  for (std::size_t i = 0; i < count; ++i) {
    if (table[i].text != nullptr) registry.m_texts[table[i].id] = table[i].text;
  }
}

const char* FindStringResource(UINT id) {
  Registry& registry = TheRegistry();
  std::lock_guard<std::mutex> guard(registry.m_lock);
  const auto found = registry.m_texts.find(id);
  return found != registry.m_texts.end() ? found->second : nullptr;
}

}  // namespace uw

int LoadStringA(HINSTANCE /*instance*/, UINT id, LPSTR buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  const char* text = uw::FindStringResource(id);
  if (text == nullptr) {
    buffer[0] = '\0';
    return 0;
  }
  const std::size_t length = uw::CutToCharBoundary(text, static_cast<std::size_t>(size) - 1);
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

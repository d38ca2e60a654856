// Which backend the settings choose.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <map>
#include <string>

#include "platform/ui/Backend.h"
#include "tests/support/TempPrefix.h"

namespace {

// Sets or clears environment variables for the life of the object.
class EnvScope {
 public:
  explicit EnvScope(const std::map<std::string, const char*>& values) {
    for (const auto& [name, value] : values) {
      const char* old = getenv(name.c_str());
      m_saved[name] = old != nullptr ? std::string(old) : std::string("\x01");
      if (value != nullptr) {
        setenv(name.c_str(), value, 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }
  ~EnvScope() {
    for (const auto& [name, value] : m_saved) {
      if (value == "\x01") {
        unsetenv(name.c_str());
      } else {
        setenv(name.c_str(), value.c_str(), 1);
      }
    }
  }

 private:
  std::map<std::string, std::string> m_saved;
};

TEST(BackendChoiceTest, EnvironmentThenPlatformSettingThenDisplay) {
  struct Case {
    const char* ui;       // UCHIWAKE_UI
    const char* ini;      // [ui] backend=, or null for no file
    const char* display;  // DISPLAY
    const char* expected;
  };
  const Case cases[] = {
      {"headless", "wx", ":9", "headless"},
      {"WX", "headless", nullptr, "wx"},
      {nullptr, "headless", ":9", "headless"},
      {nullptr, "wx", nullptr, "wx"},
      {nullptr, "auto", ":9", "wx"},
      {nullptr, "auto", nullptr, "headless"},
      {nullptr, nullptr, ":9", "wx"},
      {nullptr, nullptr, "", "headless"},
      {"bogus", "bogus", nullptr, "headless"},  // both ignored, with a note
      {"", nullptr, ":9", "wx"},
  };
  for (const Case& c : cases) {
    uwtest::TempPrefix prefix;
    if (c.ini != nullptr)
      prefix.WriteFile("platform.ini", std::string("[ui]\nbackend=") + c.ini + "\n");
    EnvScope env({{"UCHIWAKE_UI", c.ui}, {"DISPLAY", c.display}, {"WAYLAND_DISPLAY", nullptr}});
    EXPECT_EQ(uw::ui::ChooseBackendName(), c.expected)
        << (c.ui ? c.ui : "-") << " " << (c.ini ? c.ini : "-") << " "
        << (c.display ? c.display : "-");
  }
  uwtest::TempPrefix prefix;
  EnvScope env({{"UCHIWAKE_UI", nullptr}, {"DISPLAY", nullptr}, {"WAYLAND_DISPLAY", "wayland-0"}});
  EXPECT_EQ(uw::ui::ChooseBackendName(), "wx");
}

}  // namespace

// The headless script language: what each line means, and what is refused.

#include "platform/ui/headless/Script.h"

#include <gtest/gtest.h>

#include "platform/ui/Backend.h"
#include "platform/ui/winuser.h"

namespace {

using uw::headless::Action;
using uw::headless::ParseAction;

TEST(ScriptTest, KeysWithModifiers) {
  struct Case {
    const char* line;
    int vk;
    unsigned modifiers;
  };
  const Case cases[] = {
      {"key Enter", VK_RETURN, 0},
      {"KEY return", VK_RETURN, 0},
      {"key esc", VK_ESCAPE, 0},
      {"key F12", VK_F12, 0},
      {"key f1", VK_F1, 0},
      {"key shift+F12", VK_F12, uw::ui::kModShift},
      {"key ctrl+alt+shift+Tab", VK_TAB, uw::ui::kModShift | uw::ui::kModControl | uw::ui::kModAlt},
      {"key alt+z", 'Z', uw::ui::kModAlt},
      {"key 7", '7', 0},
      {"key Space", VK_SPACE, 0},
  };
  for (const Case& c : cases) {
    const Action action = ParseAction(c.line, 1);
    EXPECT_EQ(action.kind, Action::kKey) << c.line << ": " << action.error;
    EXPECT_EQ(action.vk, c.vk) << c.line;
    EXPECT_EQ(action.modifiers, c.modifiers) << c.line;
    EXPECT_EQ(uw::headless::KeyName(action.vk, action.modifiers).empty(), false) << c.line;
  }
  EXPECT_EQ(uw::headless::KeyName(VK_F12, uw::ui::kModShift), "shift+F12");
}

TEST(ScriptTest, ActionsOnControlsAndBoxes) {
  Action a = ParseAction("type 1015 C:\\OUT\\a b.xml", 3);
  EXPECT_EQ(a.kind, Action::kType);
  EXPECT_EQ(a.id, 1015);
  EXPECT_EQ(a.value, "C:\\OUT\\a b.xml");
  EXPECT_EQ(a.line, 3);
  a = ParseAction("type 1000 ", 1);
  EXPECT_EQ(a.kind, Action::kType);
  EXPECT_EQ(a.value, "");
  a = ParseAction("  check 1004 1  ", 1);
  EXPECT_EQ(a.kind, Action::kCheck);
  EXPECT_EQ(a.check, 1);
  EXPECT_EQ(a.text, "check 1004 1");
  a = ParseAction("answer YES", 1);
  EXPECT_EQ(a.kind, Action::kAnswer);
  EXPECT_EQ(a.value, "yes");
  a = ParseAction("file cancel", 1);
  EXPECT_TRUE(a.kind == Action::kFile && a.cancel);
  a = ParseAction("file C:\\ソ\\x.xml", 1);
  EXPECT_TRUE(a.kind == Action::kFile && !a.cancel);
  EXPECT_EQ(a.value, "C:\\ソ\\x.xml");
  EXPECT_EQ(ParseAction("click 1002", 1).id, 1002);
  EXPECT_EQ(ParseAction("focus 1015", 1).kind, Action::kFocus);
  EXPECT_EQ(ParseAction("close", 1).kind, Action::kClose);
}

TEST(ScriptTest, LinesThatMeanNothingAreRefused) {
  const char* const lines[] = {
      "press F12",    "key",       "key F13",      "key hyper+F1",     "key shift+", "key Enterx",
      "click",        "click abc", "click -1",     "click 1234567890", "type x y",   "check 1004",
      "check 1004 2", "close now", "answer maybe", "answer",           "file",
  };
  for (const char* line : lines) {
    const Action action = ParseAction(line, 7);
    EXPECT_EQ(action.kind, Action::kInvalid) << line;
    EXPECT_FALSE(action.error.empty()) << line;
  }
}

TEST(ScriptTest, CommentsAndBlankLinesAreSkippedAndLinesKeepTheirNumbers) {
  uw::headless::Script script;
  script.Load("# a comment\n\nkey F12\r\n   \nanswer ok");
  ASSERT_EQ(script.Remaining(), 2u);
  EXPECT_EQ(script.Peek()->line, 3);
  EXPECT_EQ(script.Peek()->text, "key F12");
  script.Pop();
  EXPECT_EQ(script.Peek()->line, 5);
  script.Pop();
  EXPECT_EQ(script.Peek(), nullptr);
}

}  // namespace

#include "tests/talhost/MessageBoxRecorder.h"

namespace talhost_test {
namespace {

std::vector<RecordedMessageBox>& Boxes() {
  static std::vector<RecordedMessageBox> boxes;
  return boxes;
}
int g_answer = 1;  // IDOK

}  // namespace

const std::vector<RecordedMessageBox>& MessageBoxes() { return Boxes(); }
void ClearMessageBoxes() { Boxes().clear(); }
void SetMessageBoxAnswer(int answer) { g_answer = answer; }

}  // namespace talhost_test

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  talhost_test::Boxes().push_back(
      {owner, text != nullptr ? text : "", caption != nullptr ? caption : "", type});
  return talhost_test::g_answer;
}

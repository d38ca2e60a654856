// A stand-in for MessageBoxA in the host library's unit tests: it records
// each message box the host shows instead of showing it, so that a test can
// check the text, caption, type and owner. Linked into the test executable,
// it takes the place of the dialog framework's MessageBoxA for the host
// library (the executable's definition is found first).
#pragma once

#include <string>
#include <vector>

#include "platform/win/windef.h"

namespace talhost_test {

struct RecordedMessageBox {
  HWND owner;
  std::string text;     // CP932, as the host passed it
  std::string caption;  // CP932
  UINT type;
};

// Every box shown since the last ClearMessageBoxes().
const std::vector<RecordedMessageBox>& MessageBoxes();
void ClearMessageBoxes();
// The button the next boxes return (IDOK unless set).
void SetMessageBoxAnswer(int answer);

}  // namespace talhost_test

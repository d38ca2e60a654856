// The command-line handshake from the host: "<window>,<message>,<function>,<path>".

#include <string>

#include "app/UchiwakeApp.h"
#include "platform/win/crt.h"

int CUchiwakeApp::ParseHostCommandLine(const char* tail) {
  if (tail == nullptr || *tail == '\0') return 0;

  // The whole tail is parsed: a long fixed path is kept whole here and
  // refused later by the path checks, never cut. Commas are single-byte
  // characters that no trail byte can imitate (trail bytes start at 0x40).
  const std::string work(tail);

  const std::size_t comma1 = work.find(',');
  if (comma1 == std::string::npos) return 0;
  m_hHostWnd = static_cast<HWND>(win::atol(work.substr(0, comma1).c_str()));

  const std::size_t comma2 = work.find(',', comma1 + 1);
  if (comma2 == std::string::npos) return 0;
  m_nHostMsg = static_cast<UINT>(win::atol(work.substr(comma1 + 1, comma2 - comma1 - 1).c_str()));

  const std::size_t comma3 = work.find(',', comma2 + 1);
  if (comma3 == std::string::npos) return 0;
  // Only the low 16 bits of the function identifier are kept.
  const int funcId = win::atoi(work.substr(comma2 + 1, comma3 - comma2 - 1).c_str());
  m_nFuncId = static_cast<SHORT>(static_cast<WORD>(static_cast<unsigned int>(funcId) & 0xFFFF));

  const std::string path = work.substr(comma3 + 1);
  if (!path.empty()) m_strHostPath = path.c_str();
  return 1;
}

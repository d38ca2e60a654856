// A tiny program that `talhost run` starts in the tests in place of a
// deliverable. It reads the handshake as the program does and acts as told
// by TALHOST_TEST_CHILD, a comma-separated list of:
//   args        print argc, each argument and the UI variables
//   post:L      disable and enable the host window, post the handshake's
//               message with wParam = function id and lParam = L, enable
//   burst:N     post N messages (lParam 0..N-1) as fast as it can, then end
//   junk        send a datagram that is no window call
//   exit:N      end with status N
//   sleep       sleep for a minute
//   signal      end by SIGTERM
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/win/window_msg.h"

namespace {

struct Handshake {
  HWND window = 0;
  UINT message = 0;
  long func = 0;
};

Handshake Parse(int argc, char** argv) {
  Handshake h;
  if (argc < 2) return h;
  char* fields[3] = {};
  std::string tail = argv[1];
  char* p = tail.data();
  for (char*& field : fields) {
    field = p;
    char* comma = std::strchr(p, ',');
    if (comma == nullptr) return h;
    *comma = '\0';
    p = comma + 1;
  }
  h.window = std::atol(fields[0]);
  h.message = static_cast<UINT>(std::atol(fields[1]));
  h.func = static_cast<short>(std::atoi(fields[2]));
  return h;
}

void SendRaw(HWND window, const char* text) {
  const std::string path = uw::EndpointPath(window);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::snprintf(addr.sun_path, sizeof(addr.sun_path), "%s", path.c_str());
  const int fd = socket(AF_UNIX, SOCK_DGRAM, 0);
  sendto(fd, text, std::strlen(text), 0, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
  close(fd);
}

}  // namespace

int main(int argc, char** argv) {
  const Handshake h = Parse(argc, argv);
  const char* actions = std::getenv("TALHOST_TEST_CHILD");
  std::string list = actions != nullptr ? actions : "";
  int status = 0;
  for (char* action = std::strtok(list.data(), ","); action != nullptr;
       action = std::strtok(nullptr, ",")) {
    const std::string a = action;
    if (a == "args") {
      std::printf("argc=%d\n", argc);
      for (int i = 1; i < argc; ++i) std::printf("arg%d=%s\n", i, argv[i]);
      const char* ui = std::getenv("UCHIWAKE_UI");
      const char* script = std::getenv("UCHIWAKE_UI_SCRIPT");
      std::printf("UCHIWAKE_UI=%s\nUCHIWAKE_UI_SCRIPT=%s\n", ui ? ui : "", script ? script : "");
      std::fflush(stdout);
    } else if (a.rfind("post:", 0) == 0) {
      EnableWindow(h.window, FALSE);
      EnableWindow(h.window, TRUE);
      PostMessageA(h.window, h.message, static_cast<WPARAM>(static_cast<INT_PTR>(h.func)),
                   std::atol(a.c_str() + 5));
      EnableWindow(h.window, TRUE);
    } else if (a.rfind("burst:", 0) == 0) {
      for (int i = 0, n = std::atoi(a.c_str() + 6); i < n; ++i) {
        PostMessageA(h.window, h.message, 0, i);
      }
    } else if (a == "junk") {
      SendRaw(h.window, "hello\x01 world");
    } else if (a.rfind("exit:", 0) == 0) {
      status = std::atoi(a.c_str() + 5);
    } else if (a == "sleep") {
      sleep(60);
    } else if (a == "signal") {
      std::fflush(stdout);
      raise(SIGTERM);
    }
  }
  return status;
}

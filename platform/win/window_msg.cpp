#include "platform/win/window_msg.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/win/prefix.h"

namespace uw {
namespace {

LocalWindows* g_localWindows = nullptr;

LocalWindows* LocalOwner(HWND hwnd) {
  return g_localWindows != nullptr && g_localWindows->Owns(hwnd) ? g_localWindows : nullptr;
}

// Sends one datagram to the endpoint of `hwnd`; false when there is none or
// the send fails. Non-blocking: a full receive queue fails instead of waiting.
bool SendToEndpoint(HWND hwnd, const char* text) {
  if (hwnd == 0) return false;
  const std::string path = EndpointPath(hwnd);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof(addr.sun_path)) return false;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);

  const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  ssize_t sent;
  do {
    sent = sendto(fd, text, std::strlen(text), MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&addr),
                  sizeof(addr));
  } while (sent < 0 && errno == EINTR);
  close(fd);
  return sent == static_cast<ssize_t>(std::strlen(text));
}

}  // namespace

void SetLocalWindows(LocalWindows* windows) { g_localWindows = windows; }

std::string EndpointPath(HWND hwnd) {
  return GetPrefixPath("windows/" + std::to_string(static_cast<long long>(hwnd)));
}

}  // namespace uw

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (uw::LocalWindows* local = uw::LocalOwner(hwnd)) return local->Post(hwnd, msg, wParam, lParam);
  // wParam travels as the signed value the sender widened it from.
  char text[96];
  std::snprintf(text, sizeof(text), "post %u %lld %lld", msg,
                static_cast<long long>(static_cast<INT_PTR>(wParam)),
                static_cast<long long>(lParam));
  return uw::SendToEndpoint(hwnd, text) ? TRUE : FALSE;
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (uw::LocalWindows* local = uw::LocalOwner(hwnd)) return local->Send(hwnd, msg, wParam, lParam);
  return 0;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  if (uw::LocalWindows* local = uw::LocalOwner(hwnd)) return local->Enable(hwnd, enable);
  uw::SendToEndpoint(hwnd, enable ? "enable 1" : "enable 0");
  return FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  if (uw::LocalWindows* local = uw::LocalOwner(hwnd)) return local->IsEnabled(hwnd);
  return FALSE;
}

BOOL SetForegroundWindow(HWND hwnd) {
  if (uw::LocalWindows* local = uw::LocalOwner(hwnd)) return local->SetForeground(hwnd);
  return hwnd != 0 ? TRUE : FALSE;
}

BOOL BringWindowToTop(HWND hwnd) {
  if (uw::LocalWindows* local = uw::LocalOwner(hwnd)) return local->BringToTop(hwnd);
  return hwnd != 0 ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd) {
  if (uw::LocalWindows* local = uw::LocalOwner(hwnd)) return local->Update(hwnd);
  return hwnd != 0 ? TRUE : FALSE;
}

HWND SetParent(HWND child, HWND parent) {
  if (uw::LocalWindows* local = uw::LocalOwner(child)) return local->Reparent(child, parent);
  return 0;
}

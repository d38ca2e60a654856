#include "talhost/HostWindow.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/win/window_msg.h"

namespace talhost {

std::string WindowEvent::Line() const {
  char line[160];
  switch (kind) {
    case kEnable:
      std::snprintf(line, sizeof(line), "enabled %lld", enable);
      return line;
    case kPost:
      std::snprintf(line, sizeof(line), "posted msg=%lld wparam=%lld lparam=%lld", msg, wParam,
                    lParam);
      return line;
    case kOther:
      break;
  }
  std::string shown = "received ";
  for (unsigned char c : text) shown += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
  return shown;
}

WindowEvent ParseWindowEvent(const std::string& text) {
  WindowEvent event;
  event.text = text;
  long long a = 0, b = 0, c = 0;
  int used = 0;
  if (std::sscanf(text.c_str(), "enable %lld%n", &a, &used) == 1 &&
      static_cast<std::size_t>(used) == text.size() && (a == 0 || a == 1)) {
    event.kind = WindowEvent::kEnable;
    event.enable = a;
  } else if (std::sscanf(text.c_str(), "post %lld %lld %lld%n", &a, &b, &c, &used) == 3 &&
             static_cast<std::size_t>(used) == text.size()) {
    event.kind = WindowEvent::kPost;
    event.msg = a;
    event.wParam = b;
    event.lParam = c;
  }
  return event;
}

bool HostWindow::Open(HWND handle, std::string* error) {
  Close();
  const std::string path = uw::EndpointPath(handle);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof(addr.sun_path)) {
    *error = "the endpoint path is too long for a socket: " + path;
    return false;
  }
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    *error = std::string("socket: ") + std::strerror(errno);
    return false;
  }
  unlink(path.c_str());  // a stale endpoint of a process that ended
  if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0) {
    *error = "cannot open the endpoint " + path + ": " + std::strerror(errno);
    close(fd);
    return false;
  }
  m_fd = fd;
  m_strPath = path;
  return true;
}

void HostWindow::Close() {
  if (m_fd < 0) return;
  close(m_fd);
  unlink(m_strPath.c_str());
  m_fd = -1;
  m_strPath.clear();
}

std::vector<WindowEvent> HostWindow::Drain() {
  std::vector<WindowEvent> events;
  if (m_fd < 0) return events;
  char buffer[512];
  for (;;) {
    const ssize_t got = recv(m_fd, buffer, sizeof(buffer), MSG_DONTWAIT);
    if (got < 0) {
      if (errno == EINTR) continue;
      break;  // EAGAIN: nothing more waiting
    }
    events.push_back(ParseWindowEvent(std::string(buffer, static_cast<std::size_t>(got))));
  }
  return events;
}

}  // namespace talhost

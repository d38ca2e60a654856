// Support for tests with real windows: an Xvfb server of the test's own, a
// program running beside the test, and xdotool, xprop and import against
// that server.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace uwtest {

// An Xvfb server on a free display, started with the object and always
// stopped with it.
class XvfbSession {
 public:
  XvfbSession();
  ~XvfbSession();
  XvfbSession(const XvfbSession&) = delete;
  XvfbSession& operator=(const XvfbSession&) = delete;

  // False when no Xvfb program is installed (the test is skipped then).
  bool Installed() const { return m_installed; }
  // True once the server accepts clients.
  bool Running() const { return !m_display.empty(); }
  // ":N".
  const std::string& Display() const { return m_display; }
  const std::string& Error() const { return m_error; }

 private:
  bool m_installed = false;
  pid_t m_pid = -1;
  std::string m_display;
  std::string m_error;
};

// A program running beside the test; its standard output and error go to a
// file. Killed when the object goes, if it is still running.
class GuiProcess {
 public:
  GuiProcess(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
             const std::string& outputFile);
  ~GuiProcess();
  GuiProcess(const GuiProcess&) = delete;
  GuiProcess& operator=(const GuiProcess&) = delete;

  // Waits until the output holds `text`; false after `seconds` or when the
  // program ended without it.
  bool WaitForOutput(const std::string& text, double seconds);
  // Waits for the end; the exit status, or -1 after `seconds` (the program
  // is then killed) or when a signal ended it.
  int Wait(double seconds);
  std::string Output() const;

 private:
  pid_t m_pid = -1;
  int m_status = -1;
  std::string m_outputFile;
};

// Runs a command against `display` and returns its standard output; empty
// when it failed.
std::string RunOnDisplay(const std::string& display, const std::vector<std::string>& argv,
                         int timeoutSeconds = 20);

// The visible windows of class `windowClass`, polling until there are at
// least `count` of them or `seconds` passed.
std::vector<std::string> WaitForWindows(const std::string& display, const std::string& windowClass,
                                        std::size_t count, double seconds);

// The window's _NET_WM_NAME (UTF-8), without quotes.
std::string WindowTitle(const std::string& display, const std::string& window);

// Saves the whole screen as <build>/tests/gui-artifacts/<name>.png and
// returns the path; empty when that failed.
std::string Screenshot(const std::string& display, const std::string& name);

}  // namespace uwtest

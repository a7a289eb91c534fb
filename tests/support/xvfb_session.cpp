// Contents: process helpers (spawn, bounded wait, bounded command) | server
// start and stop | program under test | windows | input | screenshot.
#include "support/xvfb_session.h"

#include <X11/Xlib.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using Clock = std::chrono::steady_clock;

static int msLeft(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

static std::vector<char*> argvOf(std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  return argv;
}

// In the child after fork: die with the test process, so nothing outlives a
// crashed test, and run on the session's display.
static void prepareChild(const std::string& display) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() == 1) _exit(126);  // the parent died before prctl took effect
  if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
}

static void redirect(int fd, const char* path) {
  int f = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (f >= 0) {
    dup2(f, fd);
    close(f);
  }
}

static ProgramStatus statusOf(int raw) {
  ProgramStatus s;
  if (WIFEXITED(raw)) {
    s.exited = true;
    s.exitCode = WEXITSTATUS(raw);
  } else if (WIFSIGNALED(raw)) {
    s.signaled = true;
    s.signal = WTERMSIG(raw);
  }
  return s;
}

// Waits for pid until the deadline; SIGKILL and reap on timeout.
static ProgramStatus waitBounded(pid_t pid, Clock::time_point deadline) {
  int raw = 0;
  for (;;) {
    pid_t r = waitpid(pid, &raw, WNOHANG);
    if (r == pid) return statusOf(raw);
    if (r < 0 && errno != EINTR) return ProgramStatus{};
    if (Clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  kill(pid, SIGKILL);
  waitpid(pid, &raw, 0);
  ProgramStatus s = statusOf(raw);
  s.timedOut = true;
  return s;
}

// Runs argv on the display, collecting its standard output; killed when the
// time is up. True when it exited with status 0 in time.
static bool runBounded(std::vector<std::string> args, const std::string& display, int timeoutMs,
                       std::string* output) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    return false;
  }
  if (pid == 0) {
    prepareChild(display);
    dup2(fds[1], STDOUT_FILENO);
    redirect(STDERR_FILENO, "/dev/null");
    std::vector<char*> argv = argvOf(args);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(fds[1]);
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::string text;
  for (;;) {
    pollfd p{fds[0], POLLIN, 0};
    int n = poll(&p, 1, msLeft(deadline));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // timeout
    char buf[4096];
    ssize_t got = read(fds[0], buf, sizeof buf);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // end of output
    text.append(buf, static_cast<size_t>(got));
  }
  close(fds[0]);
  ProgramStatus s = waitBounded(pid, deadline);
  if (output) *output = text;
  return !s.timedOut && s.exited && s.exitCode == 0;
}

// ---- server ----

XvfbSession::XvfbSession() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    lastError = "pipe failed";
    return;
  }
  pid_t pid = fork();
  if (pid < 0) {
    lastError = "fork failed";
    close(fds[0]);
    close(fds[1]);
    return;
  }
  if (pid == 0) {
    prepareChild("");
    int writeEnd = dup(fds[1]);  // a copy without close-on-exec, for Xvfb to report on
    redirect(STDOUT_FILENO, "/dev/null");
    redirect(STDERR_FILENO, "/dev/null");
    std::vector<std::string> args = {"Xvfb", "-displayfd", std::to_string(writeEnd), "-screen", "0",
                                     "1024x768x24", "-nolisten", "tcp", "-noreset"};
    std::vector<char*> argv = argvOf(args);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(fds[1]);
  // Xvfb writes the display number once it accepts connections.
  Clock::time_point deadline = Clock::now() + std::chrono::seconds(15);
  std::string number;
  while (number.find('\n') == std::string::npos) {
    pollfd p{fds[0], POLLIN, 0};
    int n = poll(&p, 1, msLeft(deadline));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    char buf[32];
    ssize_t got = read(fds[0], buf, sizeof buf);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    number.append(buf, static_cast<size_t>(got));
  }
  close(fds[0]);
  size_t end = number.find('\n');
  if (end == std::string::npos || end == 0) {
    lastError = "Xvfb did not report a display (is it installed?)";
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return;
  }
  serverPid = pid;
  displayName = ":" + number.substr(0, end);
}

XvfbSession::~XvfbSession() {
  if (childPid > 0) stopProgram(3000);
  if (serverPid > 0) {
    kill(serverPid, SIGTERM);
    waitBounded(serverPid, Clock::now() + std::chrono::seconds(3));
  }
  if (!outputPath.empty()) unlink(outputPath.c_str());
}

// ---- program under test ----

bool XvfbSession::startProgram(const std::string& path, const std::string& workingDir,
                               const std::vector<std::string>& args) {
  if (!ok() || childPid > 0) {
    lastError = ok() ? "a program is already running" : "no server";
    return false;
  }
  if (outputPath.empty()) {
    char pattern[] = "/tmp/levelkit-output-XXXXXX";
    int fd = mkstemp(pattern);
    if (fd < 0) {
      lastError = "cannot create the output file";
      return false;
    }
    close(fd);
    outputPath = pattern;
  }
  std::vector<std::string> all = {path};
  all.insert(all.end(), args.begin(), args.end());
  pid_t pid = fork();
  if (pid < 0) {
    lastError = "fork failed";
    return false;
  }
  if (pid == 0) {
    prepareChild(displayName);
    redirect(STDOUT_FILENO, outputPath.c_str());
    int err = dup(STDOUT_FILENO);  // both streams into one file, in order
    dup2(err, STDERR_FILENO);
    close(err);
    // The editor journals unsaved edits under the state folder: keep a test's
    // journal inside its own working folder, not in the user's home.
    setenv("XDG_STATE_HOME", (workingDir + "/.state").c_str(), 1);
    for (const std::string& entry : extraEnvironment) {
      size_t eq = entry.find('=');
      if (eq != std::string::npos) setenv(entry.substr(0, eq).c_str(), entry.c_str() + eq + 1, 1);
    }
    if (chdir(workingDir.c_str()) != 0) _exit(126);
    std::vector<char*> argv = argvOf(all);
    execv(argv[0], argv.data());
    _exit(127);
  }
  childPid = pid;
  childStatus = ProgramStatus{};
  return true;
}

bool XvfbSession::programRunning() {
  if (childPid <= 0) return false;
  int raw = 0;
  if (waitpid(childPid, &raw, WNOHANG) == childPid) {
    childStatus = statusOf(raw);
    childPid = -1;
    return false;
  }
  return true;
}

ProgramStatus XvfbSession::waitProgramExit(int timeoutMs) {
  if (childPid <= 0) return childStatus;
  childStatus = waitBounded(childPid, Clock::now() + std::chrono::milliseconds(timeoutMs));
  childPid = -1;
  return childStatus;
}

ProgramStatus XvfbSession::stopProgram(int timeoutMs) {
  if (!programRunning()) return childStatus;
  kill(childPid, SIGTERM);
  return waitProgramExit(timeoutMs);
}

std::string XvfbSession::programOutput() const {
  if (outputPath.empty()) return "";
  std::ifstream in(outputPath);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool XvfbSession::waitForOutput(const std::string& text, int timeoutMs) {
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (programOutput().find(text) != std::string::npos) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

// ---- windows ----

bool XvfbSession::xdotool(const std::vector<std::string>& args, std::string* output,
                          int timeoutMs) {
  if (!ok()) return false;
  std::vector<std::string> all = {"xdotool"};
  all.insert(all.end(), args.begin(), args.end());
  return runBounded(all, displayName, timeoutMs, output);
}

static std::string firstLine(const std::string& text) {
  return text.substr(0, text.find('\n'));
}

std::string XvfbSession::waitForWindow(const std::string& namePattern, int timeoutMs) {
  std::string out;
  if (!xdotool({"search", "--sync", "--onlyvisible", "--name", namePattern}, &out, timeoutMs))
    return "";
  return firstLine(out);
}

std::string XvfbSession::waitForProgramWindow(int timeoutMs) {
  if (childPid <= 0) return "";
  std::string out;
  if (!xdotool({"search", "--sync", "--onlyvisible", "--pid", std::to_string(childPid)}, &out,
               timeoutMs))
    return "";
  return firstLine(out);
}

// xwininfo lists each child of the root as `0x600002 "name": (...) ...`.
static std::string topLevelWindowNamed(const std::string& listing, const std::string& name) {
  std::istringstream lines(listing);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.find(" \"" + name + "\": ") == std::string::npos) continue;
    std::istringstream words(line);
    std::string id;
    words >> id;
    return std::to_string(std::strtoul(id.c_str(), nullptr, 16));
  }
  return "";
}

std::string XvfbSession::waitForTopLevelWindow(const std::string& name, int timeoutMs) {
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    std::string listing;
    if (runBounded({"xwininfo", "-root", "-children"}, displayName, 5000, &listing)) {
      std::string id = topLevelWindowNamed(listing, name);
      if (!id.empty()) return id;
    }
    if (Clock::now() >= deadline) return "";
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

std::string XvfbSession::windowName(const std::string& window) {
  std::string out;
  if (!xdotool({"getwindowname", window}, &out)) return "";
  return firstLine(out);
}

bool XvfbSession::waitForWindowName(const std::string& window, const std::string& name,
                                    int timeoutMs) {
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (windowName(window) == name) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

WindowGeometry XvfbSession::windowGeometry(const std::string& window) {
  WindowGeometry g;
  std::string out;
  if (!xdotool({"getwindowgeometry", "--shell", window}, &out)) return g;
  std::istringstream lines(out);
  std::string line;
  int found = 0;
  while (std::getline(lines, line)) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = line.substr(0, eq);
    int value = std::atoi(line.c_str() + eq + 1);
    if (key == "X") g.x = value, found++;
    if (key == "Y") g.y = value, found++;
    if (key == "WIDTH") g.width = value, found++;
    if (key == "HEIGHT") g.height = value, found++;
  }
  g.valid = found == 4;
  return g;
}

// The close box of a window manager sends WM_DELETE_WINDOW; with no window
// manager on the server, send it ourselves. libX11 is loaded at run time so
// the tests need no extra link dependency.
bool XvfbSession::closeWindow(const std::string& window) {
  if (!ok()) return false;
  void* x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
  if (!x11) {
    lastError = "libX11 not found";
    return false;
  }
  auto openDisplay = reinterpret_cast<Display* (*)(const char*)>(dlsym(x11, "XOpenDisplay"));
  auto internAtom = reinterpret_cast<Atom (*)(Display*, const char*, int)>(dlsym(x11, "XInternAtom"));
  auto sendEvent = reinterpret_cast<int (*)(Display*, Window, int, long, XEvent*)>(dlsym(x11, "XSendEvent"));
  auto sync = reinterpret_cast<int (*)(Display*, int)>(dlsym(x11, "XSync"));
  auto closeDisplay = reinterpret_cast<int (*)(Display*)>(dlsym(x11, "XCloseDisplay"));
  bool sent = false;
  Display* dpy = (openDisplay && internAtom && sendEvent && sync && closeDisplay)
                     ? openDisplay(displayName.c_str())
                     : nullptr;
  if (dpy) {
    XEvent e;
    std::memset(&e, 0, sizeof e);
    e.xclient.type = ClientMessage;
    e.xclient.window = static_cast<Window>(std::strtoul(window.c_str(), nullptr, 10));
    e.xclient.message_type = internAtom(dpy, "WM_PROTOCOLS", 0);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(internAtom(dpy, "WM_DELETE_WINDOW", 0));
    e.xclient.data.l[1] = CurrentTime;
    sent = sendEvent(dpy, e.xclient.window, 0, NoEventMask, &e) != 0;
    sync(dpy, 0);
    closeDisplay(dpy);
  }
  dlclose(x11);
  if (!sent) lastError = "could not send WM_DELETE_WINDOW";
  return sent;
}

// ---- input ----

static bool focus(XvfbSession& x, const std::string& window) {
  return x.xdotool({"windowfocus", "--sync", window});
}

// "Right ctrl+s" -> {command, options..., "Right", "ctrl+s"}: one argument per key.
static std::vector<std::string> keyCommand(std::vector<std::string> command, const std::string& keys) {
  std::istringstream words(keys);
  std::string word;
  while (words >> word) command.push_back(word);
  return command;
}

bool XvfbSession::key(const std::string& window, const std::string& keys) {
  return focus(*this, window) && xdotool(keyCommand({"key", "--delay", "20"}, keys));
}

bool XvfbSession::keyDown(const std::string& window, const std::string& keys) {
  return focus(*this, window) && xdotool(keyCommand({"keydown"}, keys));
}

bool XvfbSession::keyUp(const std::string& window, const std::string& keys) {
  return focus(*this, window) && xdotool(keyCommand({"keyup"}, keys));
}

bool XvfbSession::mouseMove(const std::string& window, int x, int y) {
  // "--" keeps negative coordinates from being read as options.
  return xdotool({"mousemove", "--window", window, "--", std::to_string(x), std::to_string(y)});
}

bool XvfbSession::mouseDown(int button) { return xdotool({"mousedown", std::to_string(button)}); }
bool XvfbSession::mouseUp(int button) { return xdotool({"mouseup", std::to_string(button)}); }
bool XvfbSession::click(int button) { return xdotool({"click", std::to_string(button)}); }

bool XvfbSession::screenshot(const std::string& pngPath) {
  return ok() && runBounded({"import", "-display", displayName, "-window", "root", pngPath},
                            displayName, 15000, nullptr);
}

std::vector<unsigned char> XvfbSession::screenRgb(int x, int y, int width, int height) {
  std::string bytes;
  std::string area = std::to_string(width) + "x" + std::to_string(height) + "+" + std::to_string(x) +
                     "+" + std::to_string(y);
  if (!ok() || !runBounded({"import", "-display", displayName, "-window", "root", "-crop", area,
                            "-depth", "8", "rgb:-"},
                           displayName, 15000, &bytes))
    return {};
  if (bytes.size() != static_cast<size_t>(width) * height * 3) return {};
  return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

std::string windowNamePattern(const std::string& name) {
  std::string out = "^";
  for (char c : name) {
    if (std::strchr(".^$|()[]{}*+?\\", c)) out += '\\';
    out += c;
  }
  return out + "$";
}

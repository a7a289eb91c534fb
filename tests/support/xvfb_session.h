#pragma once
// A private X server for end-to-end tests, with one program under test in it.
//
// Each XvfbSession starts its own Xvfb (1024x768x24, no TCP) on a display the
// server picks itself (-displayfd), so parallel tests never share a screen.
// Every call is bounded by a timeout; the destructor stops the program and the
// server even when a test fails half-way, and both children also die with the
// test process if it crashes.
//
//   XvfbSession x;
//   ASSERT_TRUE(x.ok()) << x.error();
//   TempDir dir;
//   ASSERT_TRUE(x.startProgram(driverPath, dir.path, {}));
//   std::string win = x.waitForProgramWindow(15000);  // or by title:
//   //   x.waitForWindow(windowNamePattern("Temporary Window Title!"), 15000)
//   ASSERT_FALSE(win.empty()) << x.programOutput();
//   WindowGeometry g = x.windowGeometry(win);       // g.x, g.y, g.width, g.height
//   x.key(win, "Right");                            // xdotool key names
//   x.mouseMove(win, 100, 50); x.click(1);          // client pixels; buttons 1..5
//   x.screenshot(dir.file("shot.png"));
//   std::vector<unsigned char> rgb = x.screenRgb(192, 144, 640, 480);  // R,G,B per pixel
//   ASSERT_TRUE(x.waitForOutput("ready", 5000));     // what the program printed so far
//   ProgramStatus s = x.stopProgram(5000);          // SIGTERM, wait, SIGKILL on timeout
//   EXPECT_TRUE(s.exited && s.exitCode == 0);
//
// Input goes through the XTEST extension to the focused window, as a real
// keyboard and mouse would, so pointer grabs and auto-repeat behave normally.
// Window searches find mapped windows only. Names are matched as regular
// expressions (xdotool search --name): escape characters such as '(' or '.'
// with windowNamePattern(). Under load a program may take seconds to show its
// window: give waits generous timeouts (they cost nothing when it is quick).

#include <string>
#include <sys/types.h>
#include <vector>

struct WindowGeometry {
  bool valid = false;  // false when the window could not be queried
  int x = 0;           // top-left corner of the window's own area on the screen
  int y = 0;
  int width = 0;
  int height = 0;
};

struct ProgramStatus {
  bool exited = false;    // ended by returning from main or exit()
  int exitCode = -1;      // valid when exited
  bool signaled = false;  // ended by a signal (including the SIGKILL after a timeout)
  int signal = 0;
  bool timedOut = false;  // did not end within the time given
};

struct XvfbSession {
  XvfbSession();   // starts the server; check ok()
  ~XvfbSession();  // stops the program (if any), then the server
  XvfbSession(const XvfbSession&) = delete;
  XvfbSession& operator=(const XvfbSession&) = delete;

  bool ok() const { return serverPid > 0; }
  const std::string& error() const { return lastError; }
  const std::string& display() const { return displayName; }  // ":N"

  // Program under test (one at a time). Its standard output and error go to a
  // file read back by programOutput().
  bool startProgram(const std::string& path, const std::string& workingDir,
                    const std::vector<std::string>& args);
  bool programRunning();                           // false once it has ended (status kept)
  ProgramStatus waitProgramExit(int timeoutMs);    // waits without signalling; kills on timeout
  ProgramStatus stopProgram(int timeoutMs = 5000); // SIGTERM, wait, SIGKILL on timeout
  std::string programOutput() const;
  bool waitForOutput(const std::string& text, int timeoutMs);  // until programOutput() contains text
  pid_t programPid() const { return childPid; }

  // Windows. Ids are xdotool's decimal window ids; empty on timeout.
  std::string waitForWindow(const std::string& namePattern, int timeoutMs);
  std::string waitForProgramWindow(int timeoutMs);  // first window carrying the program's pid
  // A top-level window by its exact name, also one without a class or a pid,
  // such as a message box (found through xwininfo, which xdotool's search misses).
  std::string waitForTopLevelWindow(const std::string& name, int timeoutMs);
  std::string windowName(const std::string& window);
  WindowGeometry windowGeometry(const std::string& window);
  bool waitForWindowName(const std::string& window, const std::string& name, int timeoutMs);
  bool closeWindow(const std::string& window);  // WM_DELETE_WINDOW, as a close box sends it

  // Input (false if xdotool failed or timed out). Keys focus the window first.
  bool key(const std::string& window, const std::string& keys);  // e.g. "Right", "ctrl+s", "Up Up Down"
  bool keyDown(const std::string& window, const std::string& keys);
  bool keyUp(const std::string& window, const std::string& keys);
  bool mouseMove(const std::string& window, int x, int y);  // client pixels, negative = left of/above
  bool mouseDown(int button);
  bool mouseUp(int button);
  bool click(int button);

  bool screenshot(const std::string& pngPath);  // the whole screen
  // The screen's pixels in a rectangle, 3 bytes (R, G, B) each, rows top down;
  // empty on failure.
  std::vector<unsigned char> screenRgb(int x, int y, int width, int height);

  // Runs xdotool with the given arguments on this display; false on failure or timeout.
  bool xdotool(const std::vector<std::string>& args, std::string* output = nullptr,
               int timeoutMs = 5000);

  // "NAME=value" entries added to the program's environment at its next start
  // (XDG_STATE_HOME is <workingDir>/.state unless given here).
  std::vector<std::string> extraEnvironment;

  pid_t serverPid = -1;
  pid_t childPid = -1;
  ProgramStatus childStatus;  // filled once the program has been reaped
  std::string displayName;
  std::string outputPath;
  std::string lastError;
};

// A regular expression that matches exactly the given window name.
std::string windowNamePattern(const std::string& name);

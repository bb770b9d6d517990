#pragma once
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace skyvault {

// A private Xvfb for one test, on a display number it picks itself; stopped
// (by its process id) when the object goes. `display` is empty when it
// could not be started.
class XvfbServer {
 public:
  explicit XvfbServer(const char* screen = "640x480x24") {
    int ends[2];
    if (pipe(ends) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(ends[0]);
      prctl(PR_SET_PDEATHSIG, SIGTERM);  // gone with the test, however it ends
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, 1);
      dup2(null, 2);
      const std::string fd = std::to_string(ends[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen, "-nolisten", "tcp",
             "-noreset", static_cast<char*>(nullptr));  // no reset between clients
      _exit(127);
    }
    close(ends[1]);
    char text[16] = {};
    size_t got = 0;
    while (got < sizeof text - 1) {
      const ssize_t n = read(ends[0], text + got, sizeof text - 1 - got);
      if (n <= 0) break;
      got += static_cast<size_t>(n);
      if (text[got - 1] == '\n') break;
    }
    close(ends[0]);
    if (got > 0) display = ":" + std::string(text, text + got - (text[got - 1] == '\n'));
  }
  ~XvfbServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  std::string display;

 private:
  pid_t pid_ = -1;
};

}  // namespace skyvault

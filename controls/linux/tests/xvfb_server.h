#pragma once
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace skyvault {

// A private Xvfb on a display number of its own, stopped by its id when the object goes;
// `display` is empty when it could not be started.
class XvfbServer {
 public:
  explicit XvfbServer(const char* screen = "640x480x24") {
    int ends[2];
    if (pipe(ends) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(ends[0]);
      prctl(PR_SET_PDEATHSIG, SIGTERM);  // gone with the test, however it ends
      dup2(open("/dev/null", O_WRONLY), 1);
      dup2(1, 2);
      const std::string fd = std::to_string(ends[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen, "-nolisten", "tcp",
             "-noreset", static_cast<char*>(nullptr));  // no reset between clients
      _exit(127);
    }
    close(ends[1]);
    std::string number;  // the display number, ended by a newline
    for (char c; read(ends[0], &c, 1) == 1 && c != '\n';) number += c;
    close(ends[0]);
    if (!number.empty()) display = ":" + number;
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

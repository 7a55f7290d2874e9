// Every Tk test runs against an X server of its own: Xvfb on a display
// number it picks itself, so tests need no display and may run side by side.
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class XvfbEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (std::getenv("BROOD_XVFB_DISPLAY")) return;  // a death test's child: its parent's server serves
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    server = fork();
    ASSERT_GE(server, 0);
    if (server == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);  // the server goes with the tests, however they end
      close(fds[0]);
      const int devnull = open("/dev/null", O_WRONLY);
      dup2(devnull, STDERR_FILENO);
      dup2(devnull, STDOUT_FILENO);
      const std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0", "1024x768x24",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    char number[16] = {};
    ssize_t n = 0;
    for (ssize_t got; n < static_cast<ssize_t>(sizeof number - 1) &&
                      (got = read(fds[0], number + n, sizeof number - 1 - n)) > 0;)
      if (number[(n += got) - 1] == '\n') break;
    close(fds[0]);
    ASSERT_GT(n, 1) << "Xvfb did not start";
    const std::string display = ":" + std::string(number, number[n - 1] == '\n' ? n - 1 : n);
    setenv("DISPLAY", display.c_str(), 1);
    setenv("BROOD_XVFB_DISPLAY", display.c_str(), 1);
  }

  void TearDown() override {
    if (server <= 0) return;
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
  }

 private:
  pid_t server = 0;
};

[[maybe_unused]] testing::Environment* const xvfb = testing::AddGlobalTestEnvironment(new XvfbEnvironment);

}  // namespace

// Fontconfig, which Tk's fonts load, keeps its caches to the end of the
// process; that is the library's own memory, not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

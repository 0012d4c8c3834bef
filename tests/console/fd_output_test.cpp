// Output to a descriptor that cannot take it at once: the writer waits until
// the reader has made room, and stops only at a hang-up.
#include "console/fd_output.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

std::atomic<bool> wartet{false};
bool warte_weiter() {
  wartet = true;
  return false;
}

// A pipe whose writing end is non-blocking and full.
struct VollesRohr {
  int fd[2] = {-1, -1};
  std::size_t inhalt = 0;
  VollesRohr() {
    if (::pipe(fd) != 0) return;
    ::fcntl(fd[1], F_SETPIPE_SZ, 4096);
    ::fcntl(fd[1], F_SETFL, ::fcntl(fd[1], F_GETFL) | O_NONBLOCK);
    const std::string block(512, 'v');
    ssize_t r;
    while ((r = ::write(fd[1], block.data(), block.size())) > 0)
      inhalt += static_cast<std::size_t>(r);
  }
  ~VollesRohr() {
    for (int f : fd)
      if (f >= 0) ::close(f);
  }
};

TEST(FdOutput, AFullNonBlockingTerminalIsWaitedFor) {
  VollesRohr rohr;
  ASSERT_GT(rohr.inhalt, 0u);
  const std::string text(20000, 't');
  bool ok = false;
  std::atomic<bool> fertig{false};
  wartet = false;
  std::thread schreiber([&] {
    ok = write_fully(rohr.fd[1], text.data(), text.size(), 100, warte_weiter);
    ::close(rohr.fd[1]);
    rohr.fd[1] = -1;
    fertig = true;
  });
  // The reader makes room only once the writer has found the pipe full.
  while (!wartet && !fertig) std::this_thread::yield();
  std::size_t gelesen = 0;
  char puffer[4096];
  ssize_t r;
  while ((r = ::read(rohr.fd[0], puffer, sizeof puffer)) > 0)
    gelesen += static_cast<std::size_t>(r);
  schreiber.join();
  EXPECT_TRUE(ok);
  EXPECT_EQ(gelesen, rohr.inhalt + text.size());
}

TEST(FdOutput, AHangUpOrAGiveUpEndsTheOutput) {
  const auto alt = ::signal(SIGPIPE, SIG_IGN);  // as in the program
  {
    VollesRohr rohr;
    EXPECT_FALSE(write_fully(rohr.fd[1], "x", 1, 100, [] { return true; }));
    ::close(rohr.fd[0]);
    rohr.fd[0] = -1;
    EXPECT_FALSE(write_fully(rohr.fd[1], "x", 1, 100, nullptr));
  }
  ::signal(SIGPIPE, alt);
}

}  // namespace

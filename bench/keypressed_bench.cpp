// The cost of KEYPRESSED on the real terminal back end, as the long
// computations call it once per candidate. The back end runs on a pipe
// (no key arrives) and draws into /dev/null.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "console/console.h"
#include "console/terminal/terminal_backend.h"

namespace {

struct OnPipe {
  OnPipe() {
    if (pipe(fds) != 0) fds[0] = fds[1] = -1;
    sink = open("/dev/null", O_WRONLY);
  }
  ~OnPipe() {
    close(fds[0]);
    close(fds[1]);
    close(sink);
  }
  int fds[2];
  int sink;
};

void BM_KeyPressed(benchmark::State& state) {
  OnPipe io;
  TerminalBackend terminal("keypressed_bench", io.fds[0], io.sink);
  console_use(terminal);
  WRITE("some text on the screen");
  for (auto _ : state) benchmark::DoNotOptimize(KEYPRESSED());
}
BENCHMARK(BM_KeyPressed);

void BM_KeyWaiting(benchmark::State& state) {
  OnPipe io;
  TerminalBackend terminal("keypressed_bench", io.fds[0], io.sink);
  for (auto _ : state) benchmark::DoNotOptimize(terminal.key_waiting());
}
BENCHMARK(BM_KeyWaiting);

// For comparison: one poll() system call, what KEYPRESSED would cost if it
// looked at the input every time.
void BM_PollSystemCall(benchmark::State& state) {
  OnPipe io;
  TerminalBackend terminal("keypressed_bench", io.fds[0], io.sink);
  pollfd p{io.fds[0], POLLIN, 0};
  for (auto _ : state) benchmark::DoNotOptimize(poll(&p, 1, 0));
}
BENCHMARK(BM_PollSystemCall);

}  // namespace

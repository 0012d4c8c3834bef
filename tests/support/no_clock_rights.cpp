// Every test process gives up the right to set the system clock before any
// test runs, and so does everything it starts (the real program in a
// pseudo-terminal or in tmux): the capability leaves the bounding set, which
// children inherit. A program that then tries to set the clock fails
// silently, as it does for a user without rights.
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#ifndef CAP_SYS_TIME
#define CAP_SYS_TIME 25
#endif

namespace {

struct NoClockRights {
  NoClockRights() {
    ::prctl(PR_CAPBSET_DROP, CAP_SYS_TIME, 0, 0, 0);
    if (::prctl(PR_CAPBSET_READ, CAP_SYS_TIME, 0, 0, 0) > 0 && ::geteuid() == 0) {
      std::fputs("tests: cannot give up the right to set the clock; not running\n", stderr);
      std::abort();
    }
  }
} no_clock_rights;

}  // namespace

#include "console/fd_output.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace {

// True once fd can take output again; false on a hang-up, an error or give_up.
bool wait_for_room(int fd, int wake_ms, bool (*give_up)()) {
  for (;;) {
    if (give_up && give_up()) return false;
    pollfd p{fd, POLLOUT, 0};
    const int r = ::poll(&p, 1, wake_ms);
    if (r < 0 && errno != EINTR) return false;
    if (r <= 0) continue;
    if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) return false;
    if (p.revents & POLLOUT) return true;
  }
}

}  // namespace

bool write_fully(int fd, const char* data, std::size_t n, int wake_ms, bool (*give_up)()) {
  std::size_t done = 0;
  while (done < n) {
    const ssize_t r = ::write(fd, data + done, n - done);
    if (r > 0) {
      done += static_cast<std::size_t>(r);
      continue;
    }
    if (r < 0 && errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) return false;
    if (r == 0 || !wait_for_room(fd, wake_ms, give_up)) return false;
  }
  return true;
}

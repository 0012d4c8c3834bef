// Output to a file descriptor that may be slow: a terminal behind a stalled
// link whose file description another program left non-blocking.
#pragma once

#include <cstddef>

// Writes all n bytes to fd. When fd cannot take more for the moment (a
// non-blocking descriptor that is full, or a write cut short by a signal),
// waits until it can, asking give_up (when given) between waits of at most
// wake_ms. False after a hang-up or an error, or when give_up said true.
bool write_fully(int fd, const char* data, std::size_t n, int wake_ms, bool (*give_up)());

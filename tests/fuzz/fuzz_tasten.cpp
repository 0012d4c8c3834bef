// Fuzz target: the key decoder on arbitrary byte streams with arbitrary
// pauses. Bytes come in pairs (key byte, pause in milliseconds). The decoder
// must never produce more than two codes per byte, must release everything at
// the end, and must pass a stream without Esc through unchanged (127 as 8).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "console/key_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  KeyDecoder d;
  std::int64_t jetzt = 0;
  std::vector<unsigned char> ein, aus;
  bool mit_esc = false;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    const unsigned char b = data[i];
    jetzt += (data[i + 1] % 32) * 1000;
    while (d.ready(jetzt)) aus.push_back(d.take());
    d.feed(b, jetzt);
    ein.push_back(b);
    mit_esc |= b == 27;
    while (d.ready(jetzt)) aus.push_back(d.take());
  }
  d.finish();
  while (d.queued()) aus.push_back(d.take());
  if (d.waiting()) std::abort();
  if (aus.size() > 2 * ein.size()) std::abort();
  if (!mit_esc) {
    if (aus.size() != ein.size()) std::abort();
    for (std::size_t i = 0; i < ein.size(); ++i)
      if (aus[i] != (ein[i] == 127 ? 8 : ein[i])) std::abort();
  }
  return 0;
}

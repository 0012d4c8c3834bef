// Support for the tests of the extras: a fresh program state and a script of
// steps run whenever the program waits for a key with an empty queue.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "extras/zuf.h"
#include "support/harness.h"

namespace extras_test {

// Each step inspects the screen and queues the next keys; after the last
// step the input ends (every further read gives Ctrl-C).
class Ablauf {
 public:
  explicit Ablauf(Harness& h) : h_(h) {
    h_.vc.on_wait = [this](VirtualConsole&) {
      if (naechster_ < schritte_.size()) schritte_[naechster_++]();
    };
  }
  void dann(std::function<void()> schritt) { schritte_.push_back(std::move(schritt)); }
  std::size_t erledigt() const { return naechster_; }
  std::size_t anzahl() const { return schritte_.size(); }

 private:
  Harness& h_;
  std::vector<std::function<void()>> schritte_;
  std::size_t naechster_ = 0;
};

// A harness with the clock at the given date and time and the extras' state reset.
struct Umgebung {
  Harness h;
  Umgebung(int jahr, int monat, int tag, int stunde = 10, int minute = 30, int sekunde = 0) {
    h.vc.set_clock({jahr, monat, tag, stunde, minute, sekunde, 0});
    zuf_reset();
  }
};

}  // namespace extras_test

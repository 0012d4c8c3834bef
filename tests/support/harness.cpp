#include "support/harness.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "engine/kvspiel.h"
#include "shell/kv.h"

Harness::Harness() {
  char templ[] = "/tmp/korvando-test-XXXXXX";
  const char* d = ::mkdtemp(templ);
  dir = std::string(d ? d : "/tmp") + "/";
  vc.path = dir + "korvando";
  vc.files[dir + KORVANDO_BUILD_MARKER] = {};  // the program in its build folder
  vc.set_clock({2025, 12, 18, 10, 30, 0, 0});
  kvspiel_reset();
  kv_reset();
  console_use(vc);
}

Harness::~Harness() {
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}

std::vector<std::uint8_t> Harness::read_file() const {
  const auto f = vc.files.find(file());
  return f == vc.files.end() ? std::vector<std::uint8_t>{} : f->second;
}

void Harness::write_file(const std::vector<std::uint8_t>& bytes) {
  vc.files[file()] = bytes;
}

std::vector<std::uint8_t> Harness::default_record() {
  std::vector<std::uint8_t> r = {31, 30, 1, 4, 8, 10, '0', '9', 0, 0, 0, 1, 0, 1};
  r.resize(80, ' ');
  return r;
}

void Harness::start() {
  ANFANGEN();
}

void Harness::run() {
  KORVANDO();
}

bool Harness::shows(std::string_view s) const {
  for (int y = 1; y <= SCREEN_ROWS; ++y)
    if (screen_row(y).find(s) != std::string::npos) return true;
  return false;
}

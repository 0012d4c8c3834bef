// A directory of the test's own under /tmp, removed with everything in it
// at the end.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

struct TempDir {
  std::filesystem::path path;
  explicit TempDir(const char* name = "korvando-test") {
    std::string templ = std::string("/tmp/") + name + "-XXXXXX";
    if (::mkdtemp(templ.data())) path = templ;
  }
  ~TempDir() {
    std::error_code ec;
    if (!path.empty()) std::filesystem::remove_all(path, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
};

// The built program run from a test: shell commands with their output, and
// copies of the program in a folder of the test's own.
#pragma once

#include <stdio.h>

#include <filesystem>
#include <string>

// Runs a shell command; its standard output and its exit status.
inline std::string run_shell(const std::string& command, int& status) {
  std::string out;
  status = -1;
  if (FILE* p = ::popen(command.c_str(), "r")) {
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    status = ::pclose(p);
  }
  return out;
}

// The program copied into dir as dir/korvando. With the build folder's
// marker beside it, the copy keeps its settings file beside itself as the
// program in its build folder does; without it, the copy counts as
// installed.
inline void copy_program(const std::filesystem::path& dir, bool with_marker = true) {
  namespace fs = std::filesystem;
  const auto ersetzen = fs::copy_options::overwrite_existing;
  fs::copy_file(KORVANDO_BINARY, dir / "korvando", ersetzen);
  if (with_marker)
    fs::copy_file(fs::path(KORVANDO_BINARY).parent_path() / KORVANDO_BUILD_MARKER,
                  dir / KORVANDO_BUILD_MARKER, ersetzen);
}

#include "console/system_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

bool system_read_file(const std::string& path, std::size_t max_bytes,
                      std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bytes.resize(max_bytes);
  const std::size_t gelesen = max_bytes ? std::fread(bytes.data(), 1, max_bytes, f) : 0;
  const bool fehler = std::ferror(f) != 0;
  std::fclose(f);
  bytes.resize(gelesen);
  return !fehler;
}

bool system_save_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::string neu = path + ".neu";
  const int fd = ::open(neu.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  const auto n = static_cast<ssize_t>(bytes.size());
  const bool ganz = ::write(fd, bytes.data(), bytes.size()) == n;
  const bool sicher = ::fsync(fd) == 0;
  const bool zu = ::close(fd) == 0;
  if (ganz && sicher && zu && std::rename(neu.c_str(), path.c_str()) == 0) return true;
  std::remove(neu.c_str());
  return false;
}

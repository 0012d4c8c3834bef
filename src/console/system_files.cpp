#include "console/system_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

namespace {

// The directory ("." when the path has none) and the name of a path.
void teile_pfad(const std::string& path, std::string& verzeichnis, std::string& name) {
  const auto strich = path.rfind('/');
  if (strich == std::string::npos) {
    verzeichnis = ".";
    name = path;
  } else {
    verzeichnis = strich == 0 ? "/" : path.substr(0, strich);
    name = path.substr(strich + 1);
  }
}

bool lies_alles(int fd, std::uint8_t* ziel, std::size_t n, std::size_t& gelesen) {
  gelesen = 0;
  while (gelesen < n) {
    const ssize_t r = ::read(fd, ziel + gelesen, n - gelesen);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return false;
    if (r == 0) break;
    gelesen += static_cast<std::size_t>(r);
  }
  return true;
}

bool schreibe_alles(int fd, const std::vector<std::uint8_t>& bytes) {
  std::size_t fertig = 0;
  while (fertig < bytes.size()) {
    const ssize_t r = ::write(fd, bytes.data() + fertig, bytes.size() - fertig);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    fertig += static_cast<std::size_t>(r);
  }
  return true;
}

// Twelve characters from the system's random source, or, where it cannot be
// read, from the clock and the process number.
std::string zufallsteil() {
  static const char ZEICHEN[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_";
  std::uint8_t r[12] = {};
  std::size_t gelesen = 0;
  const int fd = ::open("/dev/urandom", O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    lies_alles(fd, r, sizeof r, gelesen);
    ::close(fd);
  }
  if (gelesen < sizeof r) {
    static std::uint64_t zaehler = 0;
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    std::uint64_t x = static_cast<std::uint64_t>(t.tv_nsec) ^
                      (static_cast<std::uint64_t>(t.tv_sec) << 20) ^
                      (static_cast<std::uint64_t>(::getpid()) << 40) ^ ++zaehler;
    for (std::uint8_t& b : r) {  // splitmix64
      x += 0x9e3779b97f4a7c15ull;
      std::uint64_t z = x;
      z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
      z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
      b = static_cast<std::uint8_t>(z ^ (z >> 31));
    }
  }
  std::string s;
  for (std::uint8_t b : r) s += ZEICHEN[b & 63];
  return s;
}

// A new regular file beside `name` in the directory dfd, under a name of its
// own; -1 when none could be created.
int lege_neue_datei_an(int dfd, const std::string& name, std::string& neu) {
  for (int versuch = 0; versuch < 16; ++versuch) {
    neu = name + ".neu-" + zufallsteil();
    const int fd =
        ::openat(dfd, neu.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The file may be replaced: it is missing or a regular file. Otherwise
// `fehler` says why not.
bool ersetzbar(int dfd, const std::string& name, int& fehler) {
  struct stat st;
  if (::fstatat(dfd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
    fehler = errno;
    return errno == ENOENT;
  }
  if (S_ISREG(st.st_mode)) return true;
  fehler = S_ISDIR(st.st_mode) ? EISDIR : S_ISLNK(st.st_mode) ? ELOOP : EEXIST;
  return false;
}

}  // namespace

bool system_read_file(const std::string& path, std::size_t max_bytes,
                      std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  // Without blocking and without following a link, in case the file was
  // exchanged since the look above.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  std::size_t gelesen = 0;
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (ok) {
    bytes.resize(max_bytes);
    ok = lies_alles(fd, bytes.data(), max_bytes, gelesen);
  }
  ::close(fd);
  bytes.resize(ok ? gelesen : 0);
  return ok;
}

bool system_save_file(const std::string& path, const std::vector<std::uint8_t>& bytes,
                      int& fehler) {
  std::string verzeichnis, name, neu;
  teile_pfad(path, verzeichnis, name);
  if (name.empty()) {
    fehler = EISDIR;
    return false;
  }
  const int dfd = ::open(verzeichnis.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd < 0) {
    fehler = errno;
    return false;
  }
  const bool frei = ersetzbar(dfd, name, fehler);
  const int fd = frei ? lege_neue_datei_an(dfd, name, neu) : -1;
  if (frei && fd < 0) fehler = errno;
  bool ok = fd >= 0;
  if (ok) {
    errno = EIO;  // a write that takes nothing sets no error of its own
    ok = schreibe_alles(fd, bytes) && ::fsync(fd) == 0;
    if (!ok) fehler = errno;
    if (::close(fd) != 0 && ok) {
      fehler = errno;
      ok = false;
    }
    // A link or a special file planted in the file's place meanwhile is
    // replaced by the rename, never written through.
    ok = ok && ersetzbar(dfd, name, fehler);
    if (ok && ::renameat(dfd, neu.c_str(), dfd, name.c_str()) != 0) {
      fehler = errno;
      ok = false;
    }
    if (ok)
      ::fsync(dfd);
    else
      ::unlinkat(dfd, neu.c_str(), 0);
  }
  ::close(dfd);
  return ok;
}

#include "console/system_folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

bool ist_ordner(const std::string& pfad) {
  struct stat st;
  return ::stat(pfad.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// One folder; one that exists already is left as it is.
bool mache_ordner(const std::string& ordner, std::vector<std::string>& gemacht, int& fehler) {
  if (::mkdir(ordner.c_str(), 0700) == 0) {
    gemacht.push_back(ordner);
    return true;
  }
  fehler = errno;
  return errno == EEXIST;
}

}  // namespace

std::string system_environment_variable(const std::string& name) {
  const char* wert = std::getenv(name.c_str());
  return wert ? wert : "";
}

bool system_folder_writable(const std::string& folder) {
  return ist_ordner(folder) && ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool system_make_folder(const std::string& folder, std::vector<std::string>& made, int& fehler) {
  made.clear();
  fehler = ENOENT;
  if (folder.empty()) return false;
  // Each folder from the top down.
  for (std::size_t strich = folder.find('/', 1); strich != std::string::npos;
       strich = folder.find('/', strich + 1))
    if (!mache_ordner(folder.substr(0, strich), made, fehler)) return false;
  if (!mache_ordner(folder, made, fehler)) return false;
  fehler = ENOTDIR;
  return ist_ordner(folder);
}

void system_remove_folders(const std::vector<std::string>& folders) {
  for (auto f = folders.rbegin(); f != folders.rend(); ++f) ::rmdir(f->c_str());
}

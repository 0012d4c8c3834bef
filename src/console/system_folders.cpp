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

}  // namespace

std::string system_environment_variable(const std::string& name) {
  const char* wert = std::getenv(name.c_str());
  return wert ? wert : "";
}

bool system_folder_writable(const std::string& folder) {
  return ist_ordner(folder) && ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool system_make_folder(const std::string& folder) {
  if (folder.empty()) return false;
  // Each folder from the top down; those that exist stay as they are.
  for (std::size_t strich = folder.find('/', 1); strich != std::string::npos;
       strich = folder.find('/', strich + 1)) {
    const std::string oben = folder.substr(0, strich);
    if (::mkdir(oben.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  return ist_ordner(folder);
}

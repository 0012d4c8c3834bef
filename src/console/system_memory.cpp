#include "console/system_memory.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <limits>
#include <sstream>
#include <string_view>
#include <vector>

#include "console/system_files.h"

namespace {

std::string lies(const std::string& path, std::size_t hoechstens = 16 << 10) {
  std::vector<std::uint8_t> bytes;
  if (!system_read_file(path, hoechstens, bytes)) return {};
  return std::string(bytes.begin(), bytes.end());
}

// The number at the start of a file such as memory.max; false for "max",
// an empty or a missing file.
bool zahl_in(const std::string& path, std::uint64_t& wert) {
  const std::string s = lies(path);
  if (s.empty() || s[0] < '0' || s[0] > '9') return false;
  wert = std::strtoull(s.c_str(), nullptr, 10);
  return true;
}

// The value of `name` in a file of "name value" lines (memory.stat, meminfo).
std::uint64_t wert_von(const std::string& text, std::string_view name) {
  std::istringstream zeilen(text);
  std::string zeile;
  while (std::getline(zeilen, zeile)) {
    if (zeile.size() > name.size() && zeile.compare(0, name.size(), name) == 0 &&
        (zeile[name.size()] == ' ' || zeile[name.size()] == ':'))
      return std::strtoull(zeile.c_str() + name.size() + 1, nullptr, 10);
  }
  return 0;
}

bool hat_option(const std::string& liste, std::string_view option) {
  std::istringstream teile(liste);
  std::string teil;
  while (std::getline(teile, teil, ','))
    if (teil == option) return true;
  return false;
}

struct Hierarchie {
  bool v2;
  std::string einhaengepunkt;  // where it is mounted, under root
  std::string wurzel;          // the part of the hierarchy mounted there
};

// The memory cgroup hierarchies mounted in this process's view.
std::vector<Hierarchie> hierarchien(const std::string& root) {
  std::vector<Hierarchie> h;
  std::istringstream zeilen(lies(root + "/proc/self/mountinfo", 1 << 20));
  std::string zeile;
  while (std::getline(zeilen, zeile)) {
    std::istringstream f(zeile);
    std::string id, eltern, geraet, wurzel, punkt, feld;
    f >> id >> eltern >> geraet >> wurzel >> punkt;
    while (f >> feld && feld != "-") {
    }
    std::string typ, quelle, optionen;
    f >> typ >> quelle >> optionen;
    if (typ == "cgroup2" || (typ == "cgroup" && hat_option(optionen, "memory")))
      h.push_back({typ == "cgroup2", root + punkt, wurzel});
  }
  return h;
}

struct Gruppe {
  bool v2;
  std::string dir;
};

// The cgroup directory of the process in hierarchy h and every one above it
// up to the mount point.
void gruppen_im_zweig(const Hierarchie& h, std::string pfad, std::vector<Gruppe>& gruppen) {
  if (h.wurzel != "/" && pfad.compare(0, h.wurzel.size(), h.wurzel) == 0)
    pfad = pfad.substr(h.wurzel.size());
  for (;;) {
    gruppen.push_back({h.v2, h.einhaengepunkt + (pfad == "/" ? "" : pfad)});
    if (pfad.empty() || pfad == "/") return;
    const auto strich = pfad.rfind('/');
    pfad = strich == 0 ? "/" : pfad.substr(0, strich);
  }
}

// Every memory cgroup whose limit applies to this process.
std::vector<Gruppe> gruppen(const std::string& root) {
  std::vector<Gruppe> g;
  const std::vector<Hierarchie> hs = hierarchien(root);
  std::istringstream zeilen(lies(root + "/proc/self/cgroup"));
  std::string zeile;
  while (std::getline(zeilen, zeile)) {
    // "0::/path" for v2, "4:memory:/path" (or "4:cpu,memory:/path") for v1.
    const auto a = zeile.find(':');
    const auto b = a == std::string::npos ? a : zeile.find(':', a + 1);
    if (b == std::string::npos) continue;
    const std::string steuerung = zeile.substr(a + 1, b - a - 1);
    const bool v2 = zeile.compare(0, 2, "0:") == 0 && steuerung.empty();
    if (!v2 && !hat_option(steuerung, "memory")) continue;
    for (const Hierarchie& h : hs)
      if (h.v2 == v2) gruppen_im_zweig(h, zeile.substr(b + 1), g);
  }
  return g;
}

// The room left under the limit of one group; file pages count as room,
// the kernel reclaims them before it runs out.
std::uint64_t raum_der_gruppe(const Gruppe& g) {
  std::uint64_t grenze = 0, belegt = 0;
  if (!zahl_in(g.dir + (g.v2 ? "/memory.max" : "/memory.limit_in_bytes"), grenze) ||
      !zahl_in(g.dir + (g.v2 ? "/memory.current" : "/memory.usage_in_bytes"), belegt) ||
      grenze >= (std::uint64_t{1} << 62))
    return MEMORY_UNLIMITED;
  const std::string stat = lies(g.dir + "/memory.stat");
  const std::uint64_t datei = wert_von(stat, g.v2 ? "active_file" : "total_active_file") +
                              wert_von(stat, g.v2 ? "inactive_file" : "total_inactive_file");
  belegt = belegt > datei ? belegt - datei : 0;
  return grenze > belegt ? grenze - belegt : 0;
}

std::uint64_t raum(const std::vector<Gruppe>& gs, const std::string& root) {
  std::uint64_t r = MEMORY_UNLIMITED;
  for (const Gruppe& g : gs) {
    const std::uint64_t in_gruppe = raum_der_gruppe(g);
    if (in_gruppe < r) r = in_gruppe;
  }
  const std::string meminfo = lies(root + "/proc/meminfo");
  if (meminfo.find("MemAvailable:") != std::string::npos) {
    const std::uint64_t verfuegbar = wert_von(meminfo, "MemAvailable") * 1024;
    if (verfuegbar < r) r = verfuegbar;
  }
  return r;
}

// What a resource limit leaves beside what the process has (pages of
// /proc/self/statm field `feld`).
std::uint64_t grenzen_raum(int grenze, int feld) {
  rlimit r{};
  if (getrlimit(grenze, &r) != 0 || r.rlim_cur == RLIM_INFINITY) return MEMORY_UNLIMITED;
  std::istringstream statm(lies("/proc/self/statm"));
  std::uint64_t seiten = 0;
  for (int i = 0; i <= feld; ++i) statm >> seiten;
  const std::uint64_t hat = seiten * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
  return r.rlim_cur > hat ? r.rlim_cur - hat : 0;
}

}  // namespace

std::uint64_t memory_room_under(const std::string& root) {
  return raum(gruppen(root), root);
}

std::uint64_t system_address_space() {
  return std::numeric_limits<std::size_t>::max();
}

std::uint64_t system_memory_obtainable() {
  // A process stays in its groups: they are looked up once.
  static const std::vector<Gruppe> eigene = gruppen("");
  std::uint64_t raum = ::raum(eigene, "");
  // statm: size (the address space) is field 0, data (data and stack) field 5.
  const std::uint64_t adressraum = grenzen_raum(RLIMIT_AS, 0);
  const std::uint64_t daten = grenzen_raum(RLIMIT_DATA, 5);
  if (adressraum < raum) raum = adressraum;
  if (daten < raum) raum = daten;
  return raum;
}

// The conditions file BEDINGUN.DAT: one 80-byte record beside the program in
// its build folder, or in the player's settings folder (an installed program,
// or a build folder the player cannot write), read and corrected at
// start-up, written at every save point.
#include <cstring>
#include <string>
#include <vector>

#include "console/console.h"
#include "engine/kvspiel.h"
#include "shell/kv.h"

namespace {

char klein(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool ist_zeichen(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z');
}

// Reads one record; false when the file is missing, empty or too short.
bool lies_satz(const std::string& pfad, bedingung& satz) {
  std::vector<std::uint8_t> bytes;
  if (!read_file(pfad, sizeof satz, bytes) || bytes.size() != sizeof satz) return false;
  std::memcpy(&satz, bytes.data(), sizeof satz);
  return true;
}

// The player's own file, or else, until the player saves one, the file
// beside a program in a build folder the player cannot write. An installed
// program reads nothing beside itself.
bool lies_bedingungen(bedingung& satz) {
  if (!ALT.empty() && lies_satz(ALT, satz)) return true;
  return IM_BAUORDNER && !EINSTELLUNGSORDNER.empty() &&
         lies_satz(PROGRAMMVERZEICHNIS + "BEDINGUN.DAT", satz);
}

// The player's settings folder: $XDG_CONFIG_HOME/korvando, by default
// ~/.config/korvando; empty when neither variable gives an absolute path.
std::string einstellungsordner() {
  std::string basis = environment_variable("XDG_CONFIG_HOME");
  if (basis.empty() || basis[0] != '/') {
    const std::string heim = environment_variable("HOME");
    if (heim.empty() || heim[0] != '/') return "";
    basis = heim + "/.config";
  }
  return basis + "/korvando";
}

// The build writes this marker beside the program in its build folder, and
// no install copies it.
bool im_bauordner() {
  std::vector<std::uint8_t> leer;
  return read_file(PROGRAMMVERZEICHNIS + KORVANDO_BUILD_MARKER, 0, leer);
}

// Saves the record to ALT, first making the settings folder where one is
// used; a failed save removes the folders it made. False with the reason.
bool speichere_satz(const std::vector<std::uint8_t>& satz, std::string& grund) {
  if (ALT.empty()) {
    grund = "HOME is not an absolute path";
    return false;
  }
  std::vector<std::string> neue_ordner;
  bool ok = EINSTELLUNGSORDNER.empty() || make_folder(EINSTELLUNGSORDNER, neue_ordner, grund);
  ok = ok && save_file(ALT, satz, grund);
  if (!ok) remove_folders(neue_ordner);
  return ok;
}

}  // namespace

void waehle_bedingungsdatei() {
  IM_BAUORDNER = im_bauordner();
  ALT = PROGRAMMVERZEICHNIS + "BEDINGUN.DAT";
  EINSTELLUNGSORDNER.clear();
  // A save writes a new file beside the old one and renames it: it needs a
  // folder this user may write, not only a file.
  if (IM_BAUORDNER && folder_writable(PROGRAMMVERZEICHNIS.empty() ? "." : PROGRAMMVERZEICHNIS))
    return;
  const std::string ordner = einstellungsordner();
  if (ordner.empty()) {
    // Nowhere else to go: beside a program in its build folder; an
    // installed program keeps no file at all.
    if (!IM_BAUORDNER) ALT.clear();
    return;
  }
  EINSTELLUNGSORDNER = ordner;
  ALT = ordner + "/BEDINGUN.DAT";
}

void lade_bedingungen() {
  INITIALISIERE();
  bedingung satz;
  KANN_LESEN = lies_bedingungen(satz);
  if (KANN_LESEN) X = satz;

  if (X.speicherwahl < 1 || X.speicherwahl > 8) X.speicherwahl = 8;
  if (X.reserve < 1 || X.reserve > 15) X.reserve = 10;
  X.erstes_zeichen = klein(X.erstes_zeichen);
  if (!ist_zeichen(X.erstes_zeichen)) X.erstes_zeichen = 'a';
  X.letztes_zeichen = klein(X.letztes_zeichen);
  if (!ist_zeichen(X.letztes_zeichen)) X.letztes_zeichen = X.erstes_zeichen;
  if (X.laenge < 2 || X.laenge > 9) X.laenge = 4;
  setze_zeichensatz();
  if (X.erstes_zeichen == X.letztes_zeichen) {
    const bool ziffer = X.erstes_zeichen <= '9';
    X.erstes_zeichen = ziffer ? '0' : 'a';
    X.letztes_zeichen = ziffer ? '5' : 'f';
    setze_zeichensatz();
  }
  if (X.laenge > MAXFARBE) X.wiederholung = 1;
  SPEICHERWAHL = X.speicherwahl;
  MEMAVAIL_ORB = SPEICHERBUDGET[SPEICHERWAHL];
  KORRIGIERE(MAXFARBE, X.laenge, X.wiederholung != 0, X.leerzeichen != 0, false, false);
  merke_leerzeichen = X.leerzeichen != 0;
  if (X.zeitlimit > 9) X.zeitlimit = 6;
  ZEITLIMIT = X.zeitlimit * 1000u;
  ZEITLIMIT99 = ZEITLIMIT + 99;
  ZEITLIMIT_DIV_10 = X.zeitlimit * 100u;
  NAMEOK(false);
}

void pruefe_farben() {
  if (FARBBILDSCHIRM) {
    X.standardfarbe %= 128;
    if ((X.standardfarbe & 15) == (X.standardfarbe >> 4)) X.standardfarbe = 7;
    X.hervorhebungsfarbe = static_cast<std::uint8_t>(
        ((X.hervorhebungsfarbe % 16) + 16 * (X.standardfarbe / 16)) % 128);
    if ((X.hervorhebungsfarbe & 15) == (X.hervorhebungsfarbe >> 4))
      X.hervorhebungsfarbe = X.standardfarbe;
  } else {
    const auto s = X.standardfarbe, h = X.hervorhebungsfarbe;
    const bool normal = (s == 7 || s == 15) && (h == 7 || h == 15);
    const bool invers = (s == 112 || s == 127) && (h == 112 || h == 127);
    if (!normal && !invers) {
      X.standardfarbe = 7;
      X.hervorhebungsfarbe = 15;
    }
  }
  STANDARDFARBE = X.standardfarbe;
  HERVORHEBUNGSFARBE = X.hervorhebungsfarbe;
}

void BEDINGUNGENSPEICHERN() {
  const std::uint8_t leer = X.leerzeichen;
  X.leerzeichen = merke_leerzeichen ? 1 : 0;
  NAMEOK(false);
  X.speicherwahl = SPEICHERWAHL;
  X.standardfarbe = STANDARDFARBE;
  X.hervorhebungsfarbe = HERVORHEBUNGSFARBE;

  // The program goes on with the values in memory; the farewell names a
  // failure.
  std::vector<std::uint8_t> satz(sizeof X);
  std::memcpy(satz.data(), &X, sizeof X);
  SPEICHERFEHLER.clear();
  if (!speichere_satz(satz, SPEICHERFEHLER) && SPEICHERFEHLER.empty())
    SPEICHERFEHLER = "unknown error";
  X.leerzeichen = leer;
}

std::string einstellungszeile() {
  const std::string zeile = "Einstellungen / settings: ";
  if (SPEICHERFEHLER.empty()) return zeile + ALT;
  const std::string datei = ALT.empty() ? "~/.config/korvando/BEDINGUN.DAT" : ALT;
  return zeile + "nicht gespeichert / not saved (" + datei + ": " + SPEICHERFEHLER + ")";
}

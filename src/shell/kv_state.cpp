// Definitions of the main program's module-level state and its reset.
#include "shell/kv.h"

bool DEUTSCH;
unsigned char SPRACHTASTE;
bool FARBBILDSCHIRM;
std::uint8_t STANDARDFARBE;
std::uint8_t HERVORHEBUNGSFARBE;

std::uint8_t SPEICHERWAHL;

bool merke_leerzeichen;

bool alt_checkbreak, alt_systembreak, alt_verify;
std::uint8_t alt_textattr, alt_lastmode;
bool alt_directvideo, alt_checksnow;

std::uint16_t start_jahr, start_monat, start_tag, start_wotag;
std::uint16_t start_std, start_min, start_sek, start_hsek;
std::uint16_t ende_jahr, ende_monat, ende_tag, ende_wotag;

const char* JA_NEIN_TEXTE[2][2];
std::string PROZESSORZEILE_D;
std::string PROZESSORZEILE_E;

std::string PROGRAMMVERZEICHNIS;
std::string ALT;
std::string EINSTELLUNGSORDNER;
bool KANN_LESEN;
int SCHIRMANFANG;
bool name1_bestaetigt;

std::uint8_t max_versuche;
bool max_versuche_bekannt;
std::string muster_text;
bool abbruch;
bool WEITER;
std::uint8_t L;

void kv_reset() {
  DEUTSCH = true;
  SPRACHTASTE = 'd';
  FARBBILDSCHIRM = true;
  STANDARDFARBE = 31;
  HERVORHEBUNGSFARBE = 30;
  SPEICHERWAHL = 8;
  merke_leerzeichen = false;
  alt_checkbreak = alt_systembreak = alt_verify = false;
  alt_textattr = 7;
  alt_lastmode = 3;
  alt_directvideo = alt_checksnow = false;
  start_jahr = start_monat = start_tag = start_wotag = 0;
  start_std = start_min = start_sek = start_hsek = 0;
  ende_jahr = ende_monat = ende_tag = ende_wotag = 0;
  JA_NEIN_TEXTE[0][0] = JA_NEIN_TEXTE[0][1] = JA_NEIN_TEXTE[1][0] = JA_NEIN_TEXTE[1][1] = "";
  PROZESSORZEILE_D.clear();
  PROZESSORZEILE_E.clear();
  PROGRAMMVERZEICHNIS.clear();
  ALT.clear();
  EINSTELLUNGSORDNER.clear();
  KANN_LESEN = false;
  SCHIRMANFANG = 0;
  name1_bestaetigt = true;
  max_versuche = 0;
  max_versuche_bekannt = false;
  muster_text = std::string(12, ' ');
  abbruch = false;
  WEITER = false;
  L = 0;
}

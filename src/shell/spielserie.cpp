// A series of games: the conditions form, the game, and back to the form
// after a yes to the new-game question, without passing the menu.
#include "engine/kvspiel.h"
#include "shell/kv.h"

void spielserie() {
  name1_bestaetigt = true;
  for (;;) {
    KORRIGIERE(MAXFARBE, X.laenge, X.wiederholung, X.leerzeichen, false, false);
    NAMEOK(false);
    BILDSCHIRM();
    if (!bedingungen_formular()) return;
    if (!spiele_partie()) return;
    name1_bestaetigt = true;
  }
}

// The instructions above the field block, rows 1 to 17, of the date-and-time
// page (live) and of the calendar. Passages in braces are emphasised.
#include "console/console.h"
#include "extras/zuf.h"

namespace {

// [English][row - 1]; null rows differ between the two pages.
const char* const GEMEINSAM[2][17] = {
    {nullptr, "", "Gehen Sie dazu mit den Cursor-tasten (\"Pfeile\" nach rechts, links, oben und",
     "unten) auf die Position, die Sie aendern wollen.",
     "Ueberschreiben Sie dann einfach die falschen Ziffern mit den richtigen.", nullptr, "",
     "{Beachten Sie dabei bitte folgendes:}",
     "Den {Wochentag} koennen Sie nicht aendern, er ergibt sich aus dem Datum.",
     "Zusaetzliche wird angezeigt, ob das aktuelle Jahr ein {Schaltjahr} ist.", nullptr,
     "Es werden nur Aenderungen zugelassen,die auch zu gueltigen Ergebnissen fuehren.", "", nullptr,
     nullptr, nullptr, ""},
    {nullptr, "", "Please move the cursor with the cursor-keys ('arrows' to the left, to the",
     "right, upwards and downwards) to the position, you want to change.",
     "Now you can correct the wrong digits by pressing the right digits.", nullptr, "",
     "{Please note the following:}",
     "You cannot change the {day of the week}, because it results from the date.",
     "Besides you get the information, whether the displayed year is a {leap-year}.", nullptr,
     "There are only changes allowed, which have a correct result.", "", nullptr, nullptr, nullptr,
     ""}};

// Rows 1, 6, 11, 14, 15 and 16: [calendar][English][i].
const int EIGENE_ZEILEN[6] = {1, 6, 11, 14, 15, 16};
const char* const EIGENE[2][2][6] = {
    {{"{Bitte stellen Sie Datum und Uhrzeit ein (benoetigt Administrationsrechte):}",
      "Haben Sie das Datum und die Uhrzeit korrigiert, so druecken Sie \"CR\"/\"ENTER\".",
      "Jede Eingabe bewirkt eine {sofortige Aenderung von Datum, bzw. Uhrzeit}.",
      "Sie koennen diesen Programmteil auch als {Wochentagskalender ab 1980} verwenden.",
      "Ein Tastendruck auf {\"F1\"} setzt dann das angezeigte gueltige Datum auf das",
      "urspruengliche Datum zurueck, das sich der Computer gemerkt hat."},
     {"{Please set the right date and time (administration rights are required):}",
      "If date and time are o.k., please press 'CR'/'ENTER'.",
      "To press a key effects an {immediate change of the date respectively the time}.",
      "You can use this part of the program as well as {calendar (from 1980)}.",
      "It is possible to reset the valid date that you can see on the screen with",
      "the initial date rememberd by the computer by pressing the {'F1'}-key."}},
    {{"{Bitte stellen Sie Ihr virtuelles Spieldatum ein:}",
      "Haben Sie das Datum korrigiert, so druecken Sie \"CR\"/\"ENTER\".",
      "Jede Eingabe bewirkt eine {sofortige Aenderung des virtuellen Spieldatums}.",
      "Sie koennen diesen Programmteil auch als {Wochentagskalender von 0000 bis 9999}",
      "verwenden. Ein Tastendruck auf {\"F1\"} setzt dann das angezeigte virtuelle",
      "Spieldatum auf das urspruengliche reale Datum zurueck."},
     {"{Please set the right virtual date of the game:}",
      "If the virtual date is o.k., please press 'CR'/'ENTER'.",
      "To press a key effects an {immediate change of the virtual date of the game}.",
      "You can use this part of the program as well as {calendar from 0000 to 9999}.",
      "It is possible to reset the virtual date that you can see on the screen with",
      "the initial real date rememberd by the computer by pressing the {'F1'}-key."}}};

}  // namespace

// Clears the screen in the standard colour and writes rows 1 to 17.
void schreibe_seitentext(bool kalender, std::uint8_t standardfarbe,
                         std::uint8_t hervorhebungsfarbe) {
  TEXTATTR = standardfarbe;
  CLRSCR();
  const int e = zuf_deutsch ? 0 : 1;
  const char* zeilen[17];
  for (int i = 0; i < 17; ++i) zeilen[i] = GEMEINSAM[e][i];
  for (int i = 0; i < 6; ++i) zeilen[EIGENE_ZEILEN[i] - 1] = EIGENE[kalender ? 1 : 0][e][i];
  for (int i = 0; i < 17; ++i) {
    GOTOXY(1, i + 1);
    schreibe_markiert(zeilen[i], standardfarbe, hervorhebungsfarbe);
  }
}

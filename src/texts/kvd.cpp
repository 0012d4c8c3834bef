// KVD: the short and the detailed instructions in German.
#include "texts/kvd.h"

#include "texts/seite.h"

namespace {

// The rules on one page; the text begins right under the heading.
const Seite KURZ = {{
    "                             {***  Spielregeln !  ***}",
    " {Herkunft:} Dem Programm liegt ein altes Denkspiel fuer zwei Personen zugrunde,",
    " das seit langem mit Bleistift und Papier gespielt wird: Der eine denkt sich",
    " eine vierstellige Kombination aus Ziffern aus, der andere muss sie erraten.",
    " {Computerversion:} Hier kommen zu den Ziffern noch Buchstaben hinzu. Sie",
    " waehlen den erlaubten Zeichenvorrat, die Laenge der Kombination (den \"Code\")",
    " und ob sich Zeichen im Code wiederholen duerfen.",
    " {Spielablauf:} Spieler 1 denkt sich einen Code aus, Spieler 2 versucht ihn zu",
    " erraten, indem er selbst Codes nennt. Spieler 1 antwortet jeweils, in wie",
    " vielen Positionen beide Codes uebereinstimmen ({P}) und wie viele weitere",
    " Zeichen sie an verschiedenen Positionen gemeinsam haben ({Z}).",
    " (z.B. abc - acd => 1 Position (das \"a\") + 1 Zeichen (das \"c\"): P=1, Z=1.)",
    " {Rollen:} Der Computer kann jede der beiden Rollen uebernehmen. Zwei Menschen",
    " koennen unter seiner Spielleitung gegeneinander spielen, und er kann auch",
    " gegen sich selbst spielen. Ueberlegt der Computer beim Raten zu lange, so",
    "brechen Sie das Spiel mit {\"Esc\"} ab oder erzwingen mit {\"F4\"} eine Entscheidung.",
    " {Leerzeichen:} Auf Wunsch duerfen beim Raten Leerzeichen (\" \" oder \"*\") an",
    " Stelle von Zeichen stehen, so dass auch unvollstaendige Codes geraten werden.",
    " (z.B. abc - a*b => 1 Position + 1 Zeichen.)",
    " {Feste oder variable Loesung:} Bei fester Loesung bleibt der Code von Spieler 1",
    " waehrend des ganzen Spieles gleich. Bei variabler Loesung aendert Spieler 1",
    " seinen Code im Rahmen der bereits gegebenen Antworten, um das Raetsel zu",
    " erschweren.",
    "",
    "               (Zurueck zum Hauptmenue mit einer beliebigen Taste.)",
}};

// The detailed rules: the pencil-and-paper game, the computer version, the
// variable answer code, and a review with remarks.
const Seite SEITEN[ANLEITUNGSSEITEN] = {
    // Page 1
    {{
        "            {Zahlenraten mit Bleistift und Papier - und als Brettspiel}",
        "",
        " Dieses Programm beruht auf einem alten Denkspiel fuer zwei Personen, das seit",
        " langem mit Bleistift und Papier gespielt wird. Spaeter erschien es auch als",
        " kaeufliches Brettspiel, bei dem Farben an die Stelle der Ziffern treten; die",
        " Regeln blieben dabei im Kern dieselben.",
        "",
        " {Spielablauf (Zahlenraten):}",
        " Ein Spieler, der Codierer, denkt sich eine (meistens) vierstellige Kombination",
        " aus Ziffern ohne Wiederholungen aus. Der andere Spieler, der Rater, versucht,",
        " diese Kombination mit moeglichst wenigen Versuchen herauszufinden, indem er",
        " selbst Kombinationen nennt. Der Codierer antwortet darauf jeweils mit zwei",
        " Zahlen: {P} ist die Zahl der Positionen, in denen beide Kombinationen",
        " uebereinstimmen, {Z} die Zahl der weiteren Ziffern, die beide Kombinationen an",
        " verschiedenen Positionen gemeinsam haben.",
        "",
        " {Beispiel:}",
        " Geheime Kombination: 2934      Versuch des Raters: 2473",
        " Beide stimmen nur in der ersten Position ueberein (die 2), also ist P=1.",
        " Ausserdem haben sie noch die Ziffern 4 und 3 gemeinsam, also ist Z=1+1=2.",
        "",
        " Mit diesen Antworten filtert der Rater durch logisches Denken die Loesung",
        " heraus, und zwar mit moeglichst wenigen Versuchen.",
        "",
        "                                - Seite 1 von 4 -",
    }},
    // Page 2
    {{
        " {Die vorliegende wesentlich erweiterte Computerversion:}",
        " Der Spielablauf ist derselbe. Der Computer kann jede der beiden Rollen",
        " uebernehmen; zwei Menschen koennen unter der Spielleitung des Computers",
        " gegeneinander spielen, und der Computer kann zur Demonstration auch gegen sich",
        " selbst spielen.",
        "",
        " {Unterschiede zum Originalspiel:}",
        " - Zu den Ziffern kommen Buchstaben hinzu. Aus den Zeichen 0,1,...,9,a,b,...,z,",
        "   die in einem Ring angeordnet sind, waehlen Sie den {erlaubten Zeichenvorrat},",
        "   indem Sie das kleinste und das groesste erlaubte Zeichen angeben.",
        "   Beispiel: kleinstes Zeichen y, groesstes Zeichen b ergibt den Zeichenvorrat",
        "   y,z,0,1,2,3,4,5,6,7,8,9,a,b.",
        " - Die {Laenge der Kombination}, hier {Code} genannt, ist frei waehlbar:",
        "   2, 3, 4, 5, 6, 7, 8 oder 9.",
        " - Soweit moeglich, bestimmen Sie, ob der Code {Wiederholungen von Zeichen}",
        "   enthalten darf.",
        " - Dem Rater kann erlaubt werden, {unvollstaendige Codes zu raten}. Die",
        "   fehlenden Zeichen heissen {Leerzeichen}; im Programm lautet die Frage dazu",
        "   \"Sind Leerzeichen erlaubt?\". Ein Leerzeichen geben Sie mit der Leertaste",
        "   oder mit \"*\" ein; es wird als Stern angezeigt. Eine Position, die noch nicht",
        "   besetzt ist, erscheint als Punkt.",
        "   Beispiel: Die Loesung acab und der Versuch *a*b ergeben P=1, Z=1.",
        "",
        "",
        "                                - Seite 2 von 4 -",
    }},
    // Page 3
    {{
        " {Feste oder variable Loesung:}",
        " Sie koennen zwischen einer {festen} und einer {variablen} Loesung waehlen. Bei",
        " variabler Loesung aendert der Codierer seinen Code im Rahmen der bereits",
        " gegebenen Antworten, um das Raetsel so schwer wie moeglich zu machen.",
        "",
        " {Beispiel:}",
        " Erlaubte Zeichen: a,b;  Codelaenge: 2;  Wiederholungen erlaubt;",
        " variable Loesung. Es gibt also nur vier Loesungen: aa, ab, ba, bb.",
        "",
        " Der Rater raet ba. Der Codierer hat drei moegliche Antworten:",
        " 1.) P=2, Z=0: Das Spiel ist beendet, die Loesung ist ba.",
        " 2.) P=0, Z=2: Das Spiel endet nach dem naechsten Versuch, die Loesung ist ab.",
        " 3.) P=1, Z=0: Die Loesung ist aa oder bb.",
        " Er waehlt 3.).",
        "",
        " Der Rater raet nun bb. Der Codierer antwortet nicht mit P=2, Z=0, sondern mit",
        " dem fuer den Rater unguenstigeren P=0, Z=0.",
        "",
        " Mit dem dritten Versuch kennt der Rater die Loesung: aa.",
        "",
        "",
        "",
        "",
        "",
        "                                - Seite 3 von 4 -",
    }},
    // Page 4
    {{
        " {Hier das Spiel noch einmal im Ueberblick:}",
        "      Nr.  Code  P  Z",
        "       1    ba   1  0",
        "       2    bb   0  0",
        "       3    aa   2  0",
        "      Loesung: aa   benoetigte Versuche: 3",
        "",
        "{Raten Sie bei variabler Loesung und der Computer gibt die Loesung vor, so gilt:}",
        " Die Antworten des Computers werden starr und schematisch: Sie sind durch die",
        " Versuche vollstaendig bestimmt. Sie koennen deshalb jede beliebige Loesung",
        " erzwingen und jedes Spiel beliebig oft nachspielen, auch die Spiele, die der",
        " Computer gegen sich selbst gespielt hat.",
        "",
        "{Raet der Computer bei variabler Loesung, gibt sie aber auch selber vor,so gilt:}",
        " Der Computer raet optimal, wenn er nicht unterbrochen wird, und er schummelt",
        " auch optimal. So wurde die Zahl der Versuche ermittelt, die fuer {jeden Code}",
        " unter den gegebenen Bedingungen noetig ist; diese Zahl wird im Spiel",
        " angezeigt.",
        "",
        " {Geben Sie die Loesung vor}, so prueft der Computer Ihre Antworten und nimmt",
        " sie nur an, wenn sie zu einem gueltigen Ergebnis fuehren.",
        "",
        "",
        "",
        "                                - Seite 4 von 4 -",
    }},
};

}  // namespace

void KURZANLEITUNGD(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe) {
  zeige_kurzanleitung(KURZ, standardfarbe, hervorhebungsfarbe);
}

void SPIELANLEITUNGD(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe) {
  zeige_spielanleitung(SEITEN, standardfarbe, hervorhebungsfarbe);
}

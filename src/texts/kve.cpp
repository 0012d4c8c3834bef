// KVE: the short and the detailed instructions in English.
#include "texts/kve.h"

#include "texts/seite.h"

namespace {

// The rules on one page; an empty row under the heading.
const Seite KURZ = {{
    "                          {***  Rules of the game !  ***}",
    "",
    " {Origin:} The program is based on an old thinking game for two people that has",
    " long been played with pencil and paper: one of them devises a combination of",
    " four digits, the other one has to guess it.",
    " {Computer version:} Here letters are added to the digits. You choose the",
    " allowed character set, the length of the combination (the 'code') and whether",
    " characters may be repeated in the code.",
    " {Course of the game:} Player 1 devises a code, player 2 tries to guess it by",
    " telling codes of his own. Player 1 answers how many positions agree ({P}) and",
    " how many further characters both codes share at different positions ({S}).",
    " (e.g.: abc - acd => 1 position (the 'a') + 1 sign (the 'c'): P=1, S=1.)",
    " {Roles:} The computer can take either role. Two people can play against each",
    " other with the computer leading the game, and the computer can also play",
    " against itself. If the computer guesses too long, stop the game with",
    "'Esc'/'Escape' or press 'F4' to force a decision.",
    " {Vacant signs:} If allowed, vacant signs (' ' or '*') may stand for characters",
    " in a trial, so that incomplete codes can be used for",
    "guessing. (e.g.: abc - a*b => 1 position + 1 sign.)",
    " {Fixed or variable answer code:} With a fixed answer code the code of player 1",
    " stays the same for the whole game. With a variable answer code player 1",
    " changes his code within the limits of the answers already given, to make the",
    " riddle harder.",
    "",
    "                  (Press any key to return to the main menu.)",
}};

// The detailed rules: the pencil-and-paper game, the computer version, the
// variable answer code, and a review with remarks.
const Seite SEITEN[ANLEITUNGSSEITEN] = {
    // Page 1
    {{
        "          {Guessing numbers with pencil and paper - and as a board game}",
        "",
        " This program is based on an old thinking game for two people that has long",
        " been played with pencil and paper. Later it was also sold as a board game in",
        " which colours take the place of the digits; the rules stayed essentially the",
        " same.",
        "",
        " {Course of the game:}",
        " One player, the encoder, devises a (usually) 4-digit combination without",
        " repetitions. The other player, the codebreaker, tries to find this",
        " combination with as few trials as possible by telling combinations of his",
        " own. The encoder answers each of them with two numbers: {P} is the number of",
        " positions in which both combinations agree, {S} is the number of further",
        " digits that both combinations have in common at different positions.",
        "",
        " {Example:}",
        " Secret combination: 2934      Trial of the codebreaker: 2473",
        " Both agree only in the first position (the 2), so P=1.",
        " Besides, they have the digits 4 and 3 in common, so S=1+1=2.",
        "",
        " With these answers the codebreaker filters out the solution by logical",
        " thinking, with as few trials as possible.",
        "",
        "",
        "                                 - Page 1 of 4 -",
    }},
    // Page 2
    {{
        " {The present fundamentally improved computerversion:}",
        " The course of the game is the same. The computer can take either role; two",
        " people can play against each other with the computer leading the game, and",
        " the computer can play against itself for demonstration.",
        "",
        " {Differences to the original game:}",
        " - Letters are added to the digits. From the characters 0,1,...,9,a,b,...,z,",
        "   arranged in a ring, you choose the {allowed character set} by giving the",
        "   smallest and the largest allowed character.",
        "   Example: smallest character y, largest character b gives the character set",
        "   y,z,0,1,2,3,4,5,6,7,8,9,a,b.",
        " - The {length of the combination}, called {code}, is free:",
        "   2, 3, 4, 5, 6, 7, 8 or 9.",
        " - Where possible, you choose whether the code may contain {repetitions of}",
        "   {characters}.",
        " - The codebreaker may be allowed to {guess incomplete codes}. The missing",
        "   characters are called {vacant signs}; the program asks for this with",
        "   'Are vacant signs allowed?'. A vacant sign is typed with the space bar or",
        "   with '*' and is shown as an asterisk. A position not yet filled is shown as",
        "   a dot.",
        "   Example: the solution acab and the trial *a*b give P=1, S=1.",
        "",
        "",
        "",
        "                                 - Page 2 of 4 -",
    }},
    // Page 3
    {{
        " {Fixed or variable answer code:}",
        " You can choose between a {fixed} and a {variable} answer code. With a variable",
        " answer code the encoder changes his code within the limits of the answers",
        " already given, to make the riddle as hard as possible.",
        "",
        " {Example:}",
        " Allowed characters: a,b;  length of the code: 2;  repetitions allowed;",
        " variable answer code. So there are only four solutions: aa, ab, ba, bb.",
        "",
        " The codebreaker guesses ba. The encoder has three possible answers:",
        " 1.) P=2, S=0: the game is over, the solution is ba.",
        " 2.) P=0, S=2: the game ends after the next trial, the solution is ab.",
        " 3.) P=1, S=0: the solution is aa or bb.",
        " He chooses 3.).",
        "",
        " The codebreaker now guesses bb. The encoder does not answer P=2, S=0 but the",
        " less favourable P=0, S=0.",
        "",
        " With the third trial the codebreaker knows the solution: aa.",
        "",
        "",
        "",
        "",
        "",
        "                                 - Page 3 of 4 -",
    }},
    // Page 4
    {{
        " {Here is a review of the game:}",
        "      No.  Code  P  S",
        "       1    ba   1  0",
        "       2    bb   0  0",
        "       3    aa   2  0",
        "      Solution: aa   Trials made: 3",
        "",
        " {If you guess and the computer devises an answer, that is not fixed:}",
        " The answers of the computer become rigid and schematic: they are fully",
        " determined by your trials. So you can force any solution and replay any game",
        " as often as you want, even the games that the computer played against",
        " itself.",
        "",
        " {If the computer guesses and also devises an answer, that is not fixed:}",
        " The computer guesses optimally when it is not interrupted, and it also cheats",
        " optimally. This is how the number of trials needed for {each code} under the",
        " given conditions was determined; that number is shown in the game.",
        "",
        " {If you devise an answer}, the computer checks your answers and accepts them",
        " only when they lead to a valid result.",
        "",
        "",
        "",
        "",
        "                                 - Page 4 of 4 -",
    }},
};

}  // namespace

void KURZANLEITUNGE(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe) {
  zeige_kurzanleitung(KURZ, standardfarbe, hervorhebungsfarbe);
}

void SPIELANLEITUNGE(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe) {
  zeige_spielanleitung(SEITEN, standardfarbe, hervorhebungsfarbe);
}

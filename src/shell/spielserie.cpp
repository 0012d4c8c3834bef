// A series of games: the conditions form, the play loop, the new-game question.
#include "shell/kv.h"

void spielserie() {}

// The clock panel of the game board.
#include "engine/kvspiel.h"

void SCHREIBE_ZEIT_ORB() {}

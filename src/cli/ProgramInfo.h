#pragma once
// What meldewerk-cli says about itself: its version and the program folder it works in.

#include <cstdio>

#include "store/ProgramFolder.h"

namespace mw::cli {

// The program folder every command works in, seeded from the shipped data where that lies
// elsewhere; a file that could not be seeded is said on standard error.
ProgramFolder CommandProgramFolder();

// Prints the first line of "ver.ini" in the program folder in use; 1 when there is none.
int PrintVersion();

// One line naming the program folder in use (and where its shipped data comes from when that is
// another folder), as the end of every help text. Writes nothing to disk.
void PrintProgramFolder(FILE* out);

}  // namespace mw::cli

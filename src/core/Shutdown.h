#pragma once

namespace vz {

// Ends the program: offers to save changed settings to the default settings file, closes the
// windows and the three ports. Afterwards ProgramEnding is set, so that every loop that led here
// stops; the window side then ends the process.
void ExitProgram();

} // namespace vz

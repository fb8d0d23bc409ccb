#pragma once

namespace vz {

// Sets up the platform, opens the main window and runs until the program ends.
int RunApplication(int argc, char** argv);

} // namespace vz

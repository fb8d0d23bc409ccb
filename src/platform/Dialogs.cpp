#include "platform/Dialogs.h"

#include <stdexcept>

namespace vz {

namespace {
Dialogs* installed = nullptr;
}

Dialogs& dialogs() {
    if (!installed) throw std::logic_error("no dialogs installed");
    return *installed;
}

void setDialogs(Dialogs* d) { installed = d; }

} // namespace vz

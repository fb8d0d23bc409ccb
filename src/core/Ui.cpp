#include "core/Ui.h"

namespace vz {

namespace {
Ui headless;
Ui* installed = nullptr;
} // namespace

Ui& ui() { return installed ? *installed : headless; }
void setUi(Ui* u) { installed = u; }

} // namespace vz

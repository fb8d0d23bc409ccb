#include "display/Surfaces.h"

#include "core/State.h"

namespace vz {

// The surfaces are never destroyed: they hold fonts, which must not outlive the application
// object, and they are needed until the program ends anyway.
Surface& PictVisible() {
    static Surface* s = new Surface(1000, 600, state().BackgroundColor);
    return *s;
}

Surface& pictHiddenA() {
    static Surface* s = new Surface(1001, 601, state().BackgroundColor);
    return *s;
}

Surface& pictHiddenB() {
    static Surface* s = new Surface(1001, 601, state().BackgroundColor);
    return *s;
}

Surface& pictFullColorScale() {
    static Surface* s = new Surface(25, 320, state().BackgroundColor);
    return *s;
}

void PaintSurfacesBackground() {
    const Rgb background = state().BackgroundColor;
    PictVisible().fill(background);
    pictHiddenA().fill(background);
    pictHiddenB().fill(background);
}

} // namespace vz

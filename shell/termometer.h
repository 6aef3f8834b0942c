#pragma once

namespace vellora {

class Surface;

// The progress scale around the bar: "Voortgang", 28 ticks and the digits 9 to 0 on both sides. Drawn once
// on a twip surface of 1080 x 3600 twips; the bar, a separate surface, covers the middle of the ticks.
void drawTermometerScale(Surface &termometer);

} // namespace vellora

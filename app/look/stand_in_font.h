#pragma once

namespace quillomat {

// Where Tahoma is missing, another font stands in for it in the program's captions, and the
// usual one, DejaVu Sans, is some 13 % wider: captions would run into their neighbours and past
// the edges of their boxes. Returns the size, as a part of the design's, at which the stand-in
// is no wider than Tahoma; 1 where Tahoma is found. Call once the bundled fonts are registered.
// Earned by WindowShapeTest.WithoutWineFonts, where DejaVu's captions collide without it.
double StandInFontScale();

}  // namespace quillomat

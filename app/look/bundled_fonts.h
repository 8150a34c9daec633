#pragma once

namespace quillomat {

// Makes the Tahoma-metric fonts that Debian's fonts-wine keeps in its own folder available.
void RegisterBundledFonts();

// The bold Tahoma of fonts-wine is truly bold only in its hand-drawn bitmaps of 9 to 12 pixels;
// its outlines and other bitmaps (13, 15 and 16 pixels: text at 125 to 144 dpi) are the regular
// weight. Has fontconfig thicken the glyphs at every other size, the window scale included. Call
// once the toolkit has started, before any window lays out its text.
void MakeBoldVisibleAtEveryScale(int windowScale);

// Where Tahoma is missing, its usual stand-in, DejaVu Sans, is some 13 % wider: returns the size,
// as a part of the design's, at which the stand-in is no wider than Tahoma; 1 where Tahoma is
// found. Call once the bundled fonts are registered.
// Earned by WindowShapeTest.WithoutWineFonts, where DejaVu's captions collide without it.
double StandInFontScale();

}  // namespace quillomat

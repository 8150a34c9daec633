#pragma once

namespace quillomat {

// The bold Tahoma of Debian's fonts-wine is truly bold only in its hand-drawn bitmaps of 9 to 12
// pixels (text at 96 dpi among them); its outlines, and its other bitmaps (13, 15 and 16 pixels,
// which text at 125 to 144 dpi uses), are the regular weight. Has fontconfig thicken the glyphs at
// every other size, the window scale included. Call once the toolkit has started, before any
// window lays out its text.
void MakeBoldVisibleAtEveryScale(int windowScale);

}  // namespace quillomat

#pragma once

namespace quillomat {

// The bold Tahoma of Debian's fonts-wine is truly bold only in some of its hand-drawn bitmap
// sizes (9 to 12 pixels); its outlines, and its other bitmaps (13, 15 and 16 pixels, which text
// at 125 to 144 dpi uses), are the regular weight. Has fontconfig thicken the glyphs at every
// other size, the window scale included, and leaves the truly bold bitmap sizes as they are.
// Call once the toolkit has started, before any window lays out its text.
void MakeBoldVisibleAtEveryScale(int windowScale);

}  // namespace quillomat

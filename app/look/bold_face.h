#pragma once

namespace quillomat {

// The bold Tahoma of Debian's fonts-wine is truly bold only in its hand-drawn bitmap sizes;
// its outlines are the regular weight, widened. Has fontconfig thicken the outlines wherever
// no bitmap size is drawn, the window scale included, and leaves the bitmap sizes as they are.
// Call once the toolkit has started, before any window lays out its text.
void MakeBoldVisibleAtEveryScale(int windowScale);

}  // namespace quillomat

#pragma once

#include <pango/pango.h>

namespace quillomat {

// The fonts of the program's look, matched, opened and measured before the main window needs
// them. Pango does that work at each font's first use, and the main window's captions would pay
// for it on the main thread, between the toolkit's start and the window's first frame. Run on a
// thread of its own while the toolkit loads its theme, it fills a font map of its own, which the
// main thread then hands to the toolkit: the window's layouts find their fonts already there.
class FontWarmUp {
public:
    // Reads the text scale the toolkit will be given: Pango keeps fonts per resolution.
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // On any thread: the bundled fonts' folder, then the program's face in regular and italic.
    // Not bold: the bold face gets a rule of its own once the window scale is known, so the
    // toolkit opens it itself, after the rule.
    void Run();

    // On the main thread, once Run has returned, the toolkit has started and before any widget
    // lays out text: the toolkit lays out with the warm font map from now on. Pango keys each
    // font by its resolution and rendering options, so a desktop's own settings find fewer fonts
    // ready, never different ones.
    void HandOver();

private:
    double expectedResolution_ = 96.0;
    PangoFontMap* fontMap_ = nullptr;
};

}  // namespace quillomat

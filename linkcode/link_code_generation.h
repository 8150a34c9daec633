#pragma once

#include <string>

#include "linkcode/color_text.h"

namespace quillomat {

// What the generator reads from the main window.
struct LinkCodeFields {
    ColorValue firstColour = 0;   // c1
    ColorValue middleColour = 0;  // c2: end of the first link's tag, start of the second's
    ColorValue lastColour = 0;    // c3
    std::string skinNumber;       // Text3
    bool automaticMode = true;    // Check3
    std::string addCaption;       // Text10
    std::string separator;        // Text11
    std::string readCaption;      // Text12
    std::string articleShown;     // Label5: empty when no article is in progress
    std::string articleNumber;    // Text4
    std::string voiceBoxId;       // Text2
    std::string blogAddress;      // Text1
    std::string linkTemplate;     // Text7
};

// What the generator writes back. Without an article in progress only the template is
// meaningful: the addresses and the code box keep their previous contents.
struct LinkCodeResult {
    std::string linkTemplate;  // Text7: rebuilt in automatic mode, else the user's own
    bool articleInProgress = false;
    std::string addCommentAddress;    // Text5
    std::string readCommentsAddress;  // Text6
    std::string linkCode;             // Text8
};

LinkCodeResult ComputeLinkCode(const LinkCodeFields& fields);

}  // namespace quillomat

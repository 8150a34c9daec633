#pragma once

namespace quillomat {

// The toolkit's own texts (GTK's and WebKit's menus and dialogs) in the program's language,
// French, whatever the desktop's, wherever their French catalogues are installed. Numbers,
// dates, sorting and the character set stay the desktop's. Call before GTK starts.
void SpeakFrenchInTheToolkit();

}  // namespace quillomat

#pragma once

#include <giomm/applaunchcontext.h>

namespace quillomat {

// The program changes a few environment variables for itself and for WebKit's processes, which
// inherit them; a program started for the user, such as the desktop's browser, gets the
// desktop's own values back. The environment is not safe to change once threads run: set these
// before GTK starts.

// Sets `name` to `value`, or removes it when `value` is null, remembering the desktop's value.
void SetProgramVariable(const char* name, const char* value);
// Makes programs that `context` starts see the desktop's values of every variable set above.
void GiveDesktopVariables(const Glib::RefPtr<Gio::AppLaunchContext>& context);

// The toolkit's own texts (GTK's and WebKit's menus and dialogs) in the program's language,
// French, whatever the desktop's, wherever their French catalogues are installed.
void SpeakFrenchInTheToolkit();

// The words a user adds to the dictionary from a page's spelling menu last for the run: the
// spelling library would write them, and make a folder for them, among the user's settings.
void KeepAddedWordsForTheRun();

}  // namespace quillomat

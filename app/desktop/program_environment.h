#pragma once

#include <giomm/applaunchcontext.h>

namespace quillomat {

// A few environment variables changed for the program and WebKit's processes, which inherit them;
// the environment is not safe to change once threads run: call these before GTK starts.

// The toolkit's own texts (GTK's and WebKit's menus and dialogs) in the program's language,
// French, whatever the desktop's, wherever their French catalogues are installed.
void SpeakFrenchInTheToolkit();

// The words a user adds to the dictionary from a page's spelling menu last for the run: the
// spelling library would write them, and make a folder for them, among the user's settings.
void KeepAddedWordsForTheRun();

// Gives a program that `context` starts for the user, such as the desktop's browser, the
// desktop's own values of the variables changed above.
void GiveDesktopVariables(const Glib::RefPtr<Gio::AppLaunchContext>& context);

}  // namespace quillomat

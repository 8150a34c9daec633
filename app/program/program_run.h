#pragma once

#include <gtkmm/application.h>

#include <vector>

struct _XDisplay;

namespace quillomat {

// The one orderly end of the program's run, whatever the way out: the main window closed (also
// while a box is open), "Quitter", a request to terminate (SIGTERM, SIGINT, SIGHUP). Ending
// hides every window, which returns from the loop of each box still open, and then quits the
// toolkit's run. The end of the desktop session is the toolkit's own (register-session).
class ProgramRun {
public:
    explicit ProgramRun(const Glib::RefPtr<Gtk::Application>& application);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Once the toolkit has opened its display.
    void WatchDisplay();
    void End();

private:
    Glib::RefPtr<Gtk::Application> application_;
    std::vector<unsigned> signalSources_;
    int (*toolkitDisplayLost_)(_XDisplay*) = nullptr;
};

}  // namespace quillomat

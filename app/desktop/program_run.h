#pragma once

#include <glibmm/main.h>
#include <gtkmm/application.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct _XDisplay;

namespace quillomat {

class SessionEndWatch;

// Whether the program has begun to end: from then on no box, picker or notice opens.
bool ProgramEnding();

// The program's run, and the one way it ends, whatever the way out: the main window closed (also
// while a box is open), "Quitter", a request to terminate (SIGTERM, SIGINT, SIGHUP) or the end
// of the desktop session. Ending hides every window, which returns from the loop of each box
// still open, and then from Run(); the caller tidies up after it with every destructor to come.
// The toolkit's own end of a run is left out: it would write GTK's list of recently used files
// back from the copy it read, over what other programs added meanwhile.
class ProgramRun {
public:
    // `tidyAtAbruptEnd` runs, with the run's files removed, when the program must end at once.
    ProgramRun(const Glib::RefPtr<Gtk::Application>& application,
               std::function<void()> tidyAtAbruptEnd);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Starts the toolkit, then `start`, which shows the program's first window, and runs until
    // End().
    void Run(const std::function<void()>& start);
    void End();

private:
    Glib::RefPtr<Gtk::Application> application_;
    Glib::RefPtr<Glib::MainLoop> loop_;
    // The client id the desktop session started the program with; the toolkit clears it.
    std::string startupId_;
    std::vector<unsigned> signalSources_;
    int (*toolkitDisplayLost_)(_XDisplay*) = nullptr;
    std::unique_ptr<SessionEndWatch> sessionEnd_;
};

// Files of the run's own that must not outlive it, such as a download's partial file. Their
// owner removes them at an orderly end; an abrupt one removes those still listed.
void ListRunFile(const std::string& path);
void UnlistRunFile(const std::string& path);

// Ends the process at once, where no orderly end can come any more (the display is gone, an
// unexpected error was reported): the run's files and the program's tidying go first.
[[noreturn]] void EndAbruptly(int status);

}  // namespace quillomat

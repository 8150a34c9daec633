#pragma once

#include <string>

#include <sys/types.h>

namespace quillomat::testing {

// An Xvfb server for this process and its children alone, started before anything opens the
// display: no other test shares its clipboard, selections, focus or windows, however many tests
// run at once. It takes the first free display from a run of numbers of its own (Xvfb locks a
// display atomically); where display numbers are handed out, QUILLOMAT_TEST_DISPLAYS=FIRST-LAST
// keeps it to those. The screen is 1280 x 1024 unless QUILLOMAT_TEST_SCREEN gives another size
// ("1366x768x24"). Sets DISPLAY and stops the server when it goes; the server also ends with
// this process.
class OwnXServer {
public:
    OwnXServer();
    ~OwnXServer();
    OwnXServer(const OwnXServer&) = delete;
    OwnXServer& operator=(const OwnXServer&) = delete;

    // ":N"
    const std::string& Display() const { return display_; }

private:
    // Starts Xvfb on `display` (":N"); returns the display's number once it accepts
    // connections, or the empty text when it could not start (the display is in use).
    std::string Start(const std::string& display);

    pid_t pid_ = 0;
    std::string display_;
};

// Points this process at an X server of its own for the rest of its life: GTK keeps its
// connection open to the very end, so the server is never stopped by hand.
void UseOwnXServer();

}  // namespace quillomat::testing

#pragma once

#include <string>

#include <sys/types.h>

namespace quillomat::testing {

// An Xvfb server for this process and its children alone, so that no other test shares its
// clipboard, focus or windows: the first free display of its own run or QUILLOMAT_TEST_DISPLAYS=
// FIRST-LAST, 1280 x 1024 unless QUILLOMAT_TEST_SCREEN says ("1366x768x24"). Sets DISPLAY; the
// server stops when this goes, or ends with the process.
class OwnXServer {
public:
    OwnXServer();
    ~OwnXServer();
    OwnXServer(const OwnXServer&) = delete;
    OwnXServer& operator=(const OwnXServer&) = delete;

private:
    // The display's number once it accepts connections; empty if Xvfb cannot start on `display`.
    std::string Start(const std::string& display);

    pid_t pid_ = 0;
};

// Points this process at an X server of its own for the rest of its life: GTK keeps its
// connection open to the very end, so the server is never stopped by hand.
void UseOwnXServer();

}  // namespace quillomat::testing

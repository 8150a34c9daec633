// Window tests start GTK with the program's fonts and style, each process on its own X server.
#include <gtest/gtest.h>
#include <gtkmm/main.h>

#include "app/desktop/program_environment.h"
#include "app/look/bundled_fonts.h"
#include "app/look/window_look.h"
#include "tests/support/own_x_server.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!::testing::GTEST_FLAG(list_tests)) {
        quillomat::testing::UseOwnXServer();
        quillomat::KeepAddedWordsForTheRun();
        quillomat::RegisterBundledFonts();
        Gtk::Main::init_gtkmm_internals();
        gtk_init(nullptr, nullptr);
        quillomat::LoadProgramStyle();
    }
    return RUN_ALL_TESTS();
}

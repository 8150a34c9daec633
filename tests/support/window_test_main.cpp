// Window tests start GTK with the program's own fonts and style, as the program does.
#include <gtest/gtest.h>
#include <gtkmm/main.h>

#include "app/window_look.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!::testing::GTEST_FLAG(list_tests)) {
        quillomat::RegisterBundledFonts();
        Gtk::Main::init_gtkmm_internals();
        gtk_init(nullptr, nullptr);
        quillomat::LoadProgramStyle();
    }
    return RUN_ALL_TESTS();
}

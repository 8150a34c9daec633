// The program's settings store in front of a desktop store of the test's own, a key file that
// stands for the user's dconf database: the user's settings reach the program, and what the
// toolkit writes (the colour chooser's colours) never reaches the user's store.
#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>
#include <glib/gstdio.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "app/desktop/settings_overlay.h"
#include "tests/support/main_loop_wait.h"

namespace quillomat::testing {
namespace {

using namespace std::chrono_literals;

constexpr char ColourChooser[] = "org.gtk.Settings.ColorChooser";
constexpr char UserFile[] =
    "[org/gtk/settings/color-chooser]\nselected-color=(true, 0.5, 0.25, 0.0, 1.0)\n";

std::string Text(GSettings* settings, const char* key)
{
    GVariant* value = g_settings_get_value(settings, key);
    gchar* text = g_variant_print(value, FALSE);
    std::string result = text;
    g_free(text);
    g_variant_unref(value);
    return result;
}

std::string FileText(const std::string& path)
{
    gchar* contents = nullptr;
    g_file_get_contents(path.c_str(), &contents, nullptr, nullptr);
    std::string text = contents ? contents : "";
    g_free(contents);
    return text;
}

class DesktopSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = g_dir_make_tmp("quillomat-settings-XXXXXX", nullptr);
        file_ = folder_ + "/user";
        g_file_set_contents(file_.c_str(), UserFile, -1, nullptr);
        desktop_ = g_keyfile_settings_backend_new(file_.c_str(), "/", nullptr);
        overlay_ = NewSettingsOverlay(desktop_);
        GSettingsSchema* schema = g_settings_schema_source_lookup(
            g_settings_schema_source_get_default(), ColourChooser, TRUE);
        ASSERT_NE(schema, nullptr) << "GTK's schemas are not installed";
        program_ = g_settings_new_full(schema, overlay_, nullptr);
        user_ = g_settings_new_full(schema, desktop_, nullptr);
        g_settings_schema_unref(schema);
    }

    void TearDown() override
    {
        for (GObject* object :
             {G_OBJECT(program_), G_OBJECT(user_), G_OBJECT(overlay_), G_OBJECT(desktop_)})
            if (object)
                g_object_unref(object);
        g_remove(file_.c_str());
        g_rmdir(folder_.c_str());
    }

    std::string folder_;
    std::string file_;
    GSettingsBackend* desktop_ = nullptr;
    GSettingsBackend* overlay_ = nullptr;
    // The colour chooser's settings as the program sees them, and as the user's store has them.
    GSettings* program_ = nullptr;
    GSettings* user_ = nullptr;
};

TEST_F(DesktopSettingsTest, TheProgramReadsTheUsersValuesAndKeepsItsOwnWritesInMemory)
{
    EXPECT_EQ(Text(program_, "selected-color"), "(true, 0.5, 0.25, 0.0, 1.0)");

    ASSERT_TRUE(g_settings_set_value(program_, "custom-colors",
                                     g_variant_new_parsed("[(0.125, 0.25, 0.5, 1.0)]")));
    ASSERT_TRUE(g_settings_set_value(program_, "selected-color",
                                     g_variant_new_parsed("(true, 0.125, 0.25, 0.5, 1.0)")));
    g_settings_sync();
    EXPECT_EQ(Text(program_, "custom-colors"), "[(0.125, 0.25, 0.5, 1.0)]");
    EXPECT_EQ(Text(program_, "selected-color"), "(true, 0.125, 0.25, 0.5, 1.0)");
    EXPECT_EQ(Text(user_, "custom-colors"), "[]");
    EXPECT_EQ(Text(user_, "selected-color"), "(true, 0.5, 0.25, 0.0, 1.0)");
    EXPECT_EQ(FileText(file_), UserFile);

    // A reset by the program gives it the default, and leaves the user's value alone.
    g_settings_reset(program_, "selected-color");
    EXPECT_EQ(Text(program_, "selected-color"), "(false, 1.0, 1.0, 1.0, 1.0)");
    EXPECT_EQ(FileText(file_), UserFile);
}

TEST_F(DesktopSettingsTest, AChangeOnTheDesktopReachesTheProgramUnlessTheProgramSetTheKey)
{
    int changes = 0;
    g_signal_connect(program_, "changed::selected-color",
                     G_CALLBACK(+[](GSettings*, const char*, int* count) { ++*count; }), &changes);
    Text(program_, "selected-color");  // watched once read, as the toolkit reads it

    g_settings_set_value(user_, "selected-color",
                         g_variant_new_parsed("(true, 0.0, 0.0, 1.0, 1.0)"));
    ASSERT_TRUE(RunMainLoopUntil([&] { return changes > 0; }, 10s));
    EXPECT_EQ(Text(program_, "selected-color"), "(true, 0.0, 0.0, 1.0, 1.0)");

    // Told twice, once for each write; the program's value stands.
    const int before = changes;
    g_settings_set_value(program_, "selected-color",
                         g_variant_new_parsed("(true, 1.0, 0.0, 0.0, 1.0)"));
    g_settings_set_value(user_, "selected-color",
                         g_variant_new_parsed("(true, 0.0, 1.0, 0.0, 1.0)"));
    ASSERT_TRUE(RunMainLoopUntil([&] { return changes >= before + 2; }, 10s));
    EXPECT_EQ(Text(program_, "selected-color"), "(true, 1.0, 0.0, 0.0, 1.0)");
    EXPECT_EQ(Text(user_, "selected-color"), "(true, 0.0, 1.0, 0.0, 1.0)");
}

}  // namespace
}  // namespace quillomat::testing

#include <glib/gstdio.h>
#include <glibmm/convert.h>
#include <glibmm/fileutils.h>
#include <glibmm/miscutils.h>
#include <gtkmm/button.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/messagedialog.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "tests/support/loopback_site.h"
#include "tests/support/page_script.h"
#include "tests/support/widget_probe.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

const std::string HomePage = "http://www.skyblog.com/";
const std::string FileAddress = "http://www.skyblog.com/notes.txt";
using Folder = std::map<std::string, std::string>;

struct DownloadCase {
    const char* name;
    int answer;  // how the user leaves the save dialog
    const char* chosenName;
    Folder folderAfter;
    friend void PrintTo(const DownloadCase& c, std::ostream* out) { *out << c.name; }
};

class DownloadFixture : public MainWindowTest {
protected:
    void SetUp() override
    {
        g_autofree char* made = g_dir_make_tmp("quillomat-download-XXXXXX", nullptr);
        ASSERT_NE(made, nullptr);
        folder_ = made;
        std::ofstream(folder_ / "notes.txt") << "ancien contenu";
        site.AddPage(HomePage, "<p>Accueil</p>");
        site.AddDownload(FileAddress, "notes.txt", "nouveau contenu");
        OpenWindow(site.ProxyAddress());
        ASSERT_TRUE(WaitForPage(HomePage));
    }

    void TearDown() override
    {
        MainWindowTest::TearDown();
        std::filesystem::remove_all(folder_);
    }

    Folder FolderContents() const
    {
        Folder contents;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            std::ostringstream text;
            text << std::ifstream(entry.path()).rdbuf();
            contents[entry.path().filename()] = text.str();
        }
        return contents;
    }

    // Sends the pane to a download and waits for the save dialog it opens.
    Gtk::FileChooserDialog* AskFor(const std::string& address)
    {
        Go(address);
        Gtk::FileChooserDialog* chooser = nullptr;
        RunMainLoopUntil(
            [&] { return (chooser = ShownWindow<Gtk::FileChooserDialog>()) != nullptr; }, 20s);
        return chooser;
    }

    // Leaves the dialog as the user would, in the test's folder; names are checked on a click only.
    void Answer(Gtk::FileChooserDialog& chooser, int answer, const std::string& name)
    {
        chooser.set_current_folder(folder_.string());
        ASSERT_TRUE(RunMainLoopUntil(
            [&] { return chooser.get_current_folder() == folder_.string(); }, 20s));
        chooser.set_current_name(name);
        static_cast<Gtk::Button*>(chooser.get_widget_for_response(answer))->clicked();
    }

    Gtk::MessageDialog* NoticeOfSaving(const std::string& name)
    {
        const std::string text = "Le fichier a été enregistré :\n" + (folder_ / name).string();
        Gtk::MessageDialog* notice = nullptr;
        RunMainLoopUntil(
            [&] {
                notice = ShownWindow<Gtk::MessageDialog>();
                return notice && notice->property_text().get_value() == text;
            },
            20s);
        return notice;
    }

    LoopbackSite site;
    std::filesystem::path folder_;
};

class DownloadTest : public DownloadFixture, public ::testing::WithParamInterface<DownloadCase> {};

TEST_P(DownloadTest, AFileIsSavedOnlyWhereTheUserChoseAndOnlyWhole)
{
    Gtk::FileChooserDialog* chooser = AskFor(FileAddress);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->get_title(), "Enregistrer sous");
    EXPECT_EQ(chooser->get_action(), Gtk::FILE_CHOOSER_ACTION_SAVE);
    EXPECT_TRUE(chooser->get_modal());
    EXPECT_EQ(chooser->get_transient_for(), window.get());
    EXPECT_TRUE(chooser->get_do_overwrite_confirmation());
    EXPECT_EQ(chooser->get_current_name(), "notes.txt");

    Answer(*chooser, GetParam().answer, GetParam().chosenName);
    if (GetParam().answer == Gtk::RESPONSE_ACCEPT) {
        Gtk::MessageDialog* notice = NoticeOfSaving(GetParam().chosenName);
        ASSERT_NE(notice, nullptr);
        EXPECT_FALSE(notice->get_modal());
        EXPECT_EQ(notice->get_transient_for(), window.get());
    }
    // The pane goes on: a round trip to the site after the download ended.
    Go(HomePage + "?ensuite");
    ASSERT_TRUE(WaitForPage(HomePage + "?ensuite"));
    EXPECT_EQ(FolderContents(), GetParam().folderAfter);
    EXPECT_EQ(ShownWindow<Gtk::FileChooserDialog>(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(, DownloadTest,
                         ::testing::Values(DownloadCase{"CancelledBesideAFileOfTheSameName",
                                                        Gtk::RESPONSE_CANCEL,
                                                        "notes.txt",
                                                        {{"notes.txt", "ancien contenu"}}},
                                           DownloadCase{"SavedUnderANewName",
                                                        Gtk::RESPONSE_ACCEPT,
                                                        "copie.txt",
                                                        {{"notes.txt", "ancien contenu"},
                                                         {"copie.txt", "nouveau contenu"}}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A name of 300 characters, too long for any file system, is offered cut at a character boundary,
// its extension kept, and saved so. Its notice replaces the previous one and fits the screen.
TEST_F(DownloadFixture, ALongSuggestedNameIsOfferedCutToWhatTheDiskTakes)
{
    Gtk::FileChooserDialog* chooser = AskFor(FileAddress);
    ASSERT_NE(chooser, nullptr);
    Answer(*chooser, Gtk::RESPONSE_ACCEPT, "copie.txt");
    ASSERT_NE(NoticeOfSaving("copie.txt"), nullptr);

    std::string longName;
    for (int i = 0; i < 296; ++i)
        longName += "é";
    site.AddDownload(FileAddress + "?long", longName + ".txt", "contenu au long nom");
    chooser = AskFor(FileAddress + "?long");
    ASSERT_NE(chooser, nullptr);
    // 251 bytes would end inside the 126th "é".
    const std::string cutName = longName.substr(0, 250) + ".txt";
    EXPECT_EQ(chooser->get_current_name(), cutName);
    Answer(*chooser, Gtk::RESPONSE_ACCEPT, chooser->get_current_name());
    Gtk::MessageDialog* notice = NoticeOfSaving(cutName);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->get_transient_for(), window.get());
    // The path, one word too long for any line, breaks: the notice fits the screen.
    ASSERT_TRUE(RunMainLoopUntil([&] { return notice->get_mapped(); }, 20s));
    EXPECT_LE(notice->get_allocated_width(), notice->get_screen()->get_width());
    EXPECT_EQ(ShownWindows<Gtk::MessageDialog>().size(), 1u);
    EXPECT_EQ(FolderContents(), (Folder{{"notes.txt", "ancien contenu"},
                                        {"copie.txt", "nouveau contenu"},
                                        {cutName, "contenu au long nom"}}));
}

// A pop-up's two downloads at once ask in turn, over the pop-up, one save dialog at a time.
TEST_F(DownloadFixture, DownloadsAskedForTogetherAskInTurnOverThePageThatAsked)
{
    site.AddDownload(HomePage + "autre.txt", "autre.txt", "autre contenu");
    site.AddPage(HomePage + "deux", "<iframe src='/notes.txt'></iframe><iframe src='/autre.txt'>");
    ASSERT_EQ(
        PageScriptResult(View(), "window.open('/deux', 'deux', 'width=400,height=300') ? 1 : 0"),
        "1");
    std::vector<std::string> asked;
    for (int turn = 0; turn < 2; ++turn) {
        Gtk::FileChooserDialog* chooser = nullptr;
        ASSERT_TRUE(RunMainLoopUntil(
            [&] {
                chooser = ShownWindow<Gtk::FileChooserDialog>();
                // Not the one just answered, which goes once it has checked the name.
                return chooser && chooser->get_current_name().find("copie") != 0;
            },
            20s));
        EXPECT_EQ(ShownWindows<Gtk::FileChooserDialog>().size(), 1u);
        ASSERT_NE(chooser->get_transient_for(), nullptr);
        EXPECT_NE(chooser->get_transient_for(), window.get()) << "not over the pop-up";
        asked.push_back(chooser->get_current_name());
        Answer(*chooser, Gtk::RESPONSE_ACCEPT, "copie de " + asked.back());
    }
    std::sort(asked.begin(), asked.end());
    EXPECT_EQ(asked, (std::vector<std::string>{"autre.txt", "notes.txt"}));
    const Folder saved = {{"notes.txt", "ancien contenu"},
                          {"copie de notes.txt", "nouveau contenu"},
                          {"copie de autre.txt", "autre contenu"}};
    RunMainLoopUntil([&] { return FolderContents() == saved; }, 20s);
    EXPECT_EQ(FolderContents(), saved);
}

}  // namespace
}  // namespace quillomat::testing

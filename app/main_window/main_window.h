#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/label.h>
#include <gtkmm/separator.h>
#include <gtkmm/window.h>

#include "app/desktop/desktop_services.h"
#include "app/main_window/close_request_watch.h"
#include "app/pane/browser_pane.h"
#include "app/pane/pane_focus.h"
#include "app/widgets/colour_swatch.h"
#include "app/widgets/cut_label.h"
#include "app/widgets/fixed_layout.h"
#include "app/widgets/focus_order.h"
#include "app/widgets/multi_line_text_box.h"
#include "app/widgets/text_box.h"
#include "app/widgets/titled_frame.h"
#include "app/windows/about_window.h"
#include "app/windows/settings_window.h"
#include "linkcode/caption_tags.h"
#include "main_use/main_use.h"

namespace quillomat {

// The program's main window: the browser pane, the link parameters and the link code, whose
// events go to the main use, which keeps the state the program works on.
class MainWindow : public Gtk::Window, private MainUseControls {
public:
    // The client area at 96 dpi.
    static constexpr int ClientWidth = 921;
    static constexpr int ClientHeight = 528;

    struct Options {
        BrowserPane::Options browser;
        // Ends the program at once, every window gone; the settings window's "Quitter".
        std::function<void()> endProgram = {};
    };

    MainWindow(DesktopServices& desktop, const Options& options);
    ~MainWindow() override;

    void MirrorCurrentAddress(const std::string& address,
                              AddressChange change = AddressChange::NewDocument);

protected:
    void on_realize() override;
    bool on_map_event(GdkEventAny* event) override;
    bool on_key_press_event(GdkEventKey* event) override;
    bool on_focus(Gtk::DirectionType direction) override;

private:
    friend struct MainWindowTestAccess;

    void PlaceControls();
    void ApplyLook();
    void NameForScreenReaders();
    void ConnectSignals();
    void FitArticleLabel();
    void FitScreen();
    bool OnMappedMeasureFrame(GdkEventAny* event);

    void OnSettingsClicked();
    void TakeSettings(const BlogSettings& values);
    void EndProgram();
    void OnSettingsClosed();
    void OnAboutClicked();
    void OnAboutClosed();
    void DiscardClosedWindows();

    void RunLoadStep();
    void OnGoClicked();
    void OnBrowserRecoveryAbandoned();
    void OnSwatchClicked(ColourSwatch* swatch, ColourPicker* picker);
    bool OnColourKey(const GdkEventKey& event);
    void OnStyleToggled(Gtk::CheckButton* check, StyleTags tags);
    void OnAutomaticModeToggled();

    ShownControls Read() const override;
    void ShowArticle(const std::string& number) override;
    void ShowLinkTemplate(const std::string& text) override;
    void ShowLinkCode(const std::string& text) override;

    DesktopServices& desktop_;
    std::function<void()> endProgram_;

    FixedLayout layout_;
    TextBox Text13;
    Gtk::Button Command6;
    BrowserPane Web1;
    Gtk::Button Command1;
    Gtk::Button Command2;

    TitledFrame Frame1;
    Gtk::Label Label2;
    TextBox Text10;
    Gtk::Label Label3;
    TextBox Text11;
    Gtk::Label Label6;
    TextBox Text12;
    Gtk::Label Label1;
    ColourSwatch c1;
    ColourSwatch c2;
    ColourSwatch c3;
    Gtk::CheckButton Check1;
    Gtk::CheckButton Check2;
    Gtk::Separator Line1;
    Gtk::CheckButton Check3;
    MultiLineTextBox Text7;
    Gtk::Button Command4;

    TitledFrame Frame2;
    Gtk::Label Label4;
    CutLabel Label5;
    MultiLineTextBox Text8;
    Gtk::Button Command5;

    // One picker per swatch, each remembering the colour last confirmed in it.
    std::unique_ptr<ColourPicker> CD1;
    std::unique_ptr<ColourPicker> CD2;
    std::unique_ptr<ColourPicker> CD3;

    // The screen's text resolution, or lower where the screen is too small.
    double resolution_ = 0;
    // The window manager's frame, once known.
    int frameWidth_ = 0;
    int frameHeight_ = 0;
    bool shownOnce_ = false;

    MainUse mainUse_{desktop_, *this};

    FocusOrder focusOrder_{{}};
    PaneFocus paneFocus_{Web1.Widget(), focusOrder_};
    bool loadStepDone_ = false;

    // Created on first use; closed through its title bar, freed once its handlers have returned.
    std::unique_ptr<SettingsWindow> settingsWindow_;
    std::unique_ptr<AboutWindow> aboutWindow_;
    std::vector<std::unique_ptr<Gtk::Window>> closedWindows_;

    // Closing the main window ends the program, also while a message box is open.
    CloseRequestWatch closeWatch_{*this, endProgram_};
};

}  // namespace quillomat

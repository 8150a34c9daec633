#pragma once

#include <array>
#include <string>
#include <string_view>

#include "browser/current_address_field.h"
#include "linkcode/color_text.h"
#include "linkcode/settings_hand_back.h"
#include "main_use/main_use_desktop.h"

namespace quillomat {

// The main window's visible controls that the main use reads, as they stand at one moment.
struct ShownControls {
    std::array<ColorValue, 3> swatchColours{};  // c1, c2, c3
    bool automaticMode = true;                  // Check3: the template is rebuilt at each run
    std::string addCaption;                     // Text10
    std::string separator;                      // Text11
    std::string readCaption;                    // Text12
    std::string articleShown;                   // Label5: empty while no article is in progress
    std::string linkTemplate;                   // Text7
    std::string linkCode;                       // Text8
};

// What the main use reads, once per run of the generator or the copy, and writes of the window.
class MainUseControls {
public:
    virtual ~MainUseControls() = default;

    virtual ShownControls Read() const = 0;
    virtual void ShowArticle(const std::string& number) = 0;     // Label5
    virtual void ShowLinkTemplate(const std::string& text) = 0;  // Text7
    virtual void ShowLinkCode(const std::string& text) = 0;      // Text8
};

// The program's main use, from the page shown to the code on the clipboard. Detection waits while
// any of the program's boxes is open, and then looks only at the page shown.
class MainUse {
public:
    MainUse(MainUseDesktop& desktop, MainUseControls& controls);
    ~MainUse();
    MainUse(const MainUse&) = delete;
    MainUse& operator=(const MainUse&) = delete;

    void OnLocationChanged(std::string_view address, AddressChange change)
    {
        Text9.Store(address, change);
    }
    // A key or a click in the page, or a load the user asked for.
    void OnUserActedInPage() { Text9.UserActed(); }
    // "Créer les liens pour l'article en cours..." and "Copier": a click that reaches the window
    // while a box is open is one that the box should have held.
    void OnGenerateClicked();
    void OnCopyClicked();

    // `Text1`, `Text2`, `Text3`: what the settings window shows and hands back.
    BlogSettings Settings() const { return {Text1, Text2, Text3}; }
    void TakeSettings(const BlogSettings& values);

    // Fills the template, and with an article in progress the code box: returns whether it did.
    bool GenerateLinkCode();
    void CopyLinkCode();
    // Returns whether the address was an article's, which the user was told of.
    bool DetectArticle(const std::string& address);

private:
    friend struct MainUseTestAccess;

    MainUseDesktop& desktop_;
    MainUseControls& controls_;

    // The state values that are never shown.
    std::string Text1;
    std::string Text2;
    std::string Text3;
    std::string Text4;
    std::string Text5;
    std::string Text6;
    CurrentAddressField Text9;
};

}  // namespace quillomat

#include "tests/support/recording_desktop.h"

#include <algorithm>

namespace quillomat::testing {

void RecordingDesktop::RunMessageBox(std::string_view text, MessageIcon icon,
                                     std::string_view title)
{
    const std::size_t index = messages.size();
    messages.push_back({std::string(text), icon, std::string(title)});
    ++openMessages;
    mostOpenAtOnce = std::max(mostOpenAtOnce, openMessages);
    if (whileMessageOpen)
        whileMessageOpen(index);
    --openMessages;
}

namespace {

class RecordingColourPicker : public ColourPicker {
public:
    RecordingColourPicker(ColorValue initialColour, std::vector<std::optional<ColorValue>>& choices)
        : confirmed_(initialColour), choices_(choices)
    {
    }

    ColorValue ShowColor() override
    {
        if (!choices_.empty()) {
            if (choices_.front())
                confirmed_ = *choices_.front();
            choices_.erase(choices_.begin());
        }
        return confirmed_;
    }

private:
    ColorValue confirmed_;
    std::vector<std::optional<ColorValue>>& choices_;
};

}  // namespace

std::unique_ptr<ColourPicker> RecordingDesktop::CreateColourPicker(Gtk::Window&,
                                                                   ColorValue initialColour)
{
    return std::make_unique<RecordingColourPicker>(initialColour, colourChoices);
}

std::optional<std::string> RecordingDesktop::OpenExternalPage(std::string_view address)
{
    openedPages.emplace_back(address);
    return externalPageFailure;
}

bool RecordingDesktop::PlaceOnClipboard(std::string_view text)
{
    clipboardTexts.emplace_back(text);
    return true;
}

}  // namespace quillomat::testing

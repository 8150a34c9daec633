#include "tests/support/recording_desktop.h"

#include <algorithm>

namespace quillomat::testing {

void RecordingDesktop::ShowMessage(std::string_view text, MessageIcon icon, std::string_view title)
{
    const std::size_t index = messages.size();
    messages.push_back({std::string(text), icon, std::string(title)});
    ++openMessages;
    mostOpenAtOnce = std::max(mostOpenAtOnce, openMessages);
    if (whileMessageOpen)
        whileMessageOpen(index);
    --openMessages;
}

void RecordingDesktop::PutTextOnClipboard(std::string_view text)
{
    clipboardTexts.emplace_back(text);
}

}  // namespace quillomat::testing

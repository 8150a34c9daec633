#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillomat {

// The three values the settings window edits and the main window keeps: `Text1` to `Text3`.
struct BlogSettings {
    std::string blogAddress;
    std::string voiceBoxId;
    std::string skinNumber;

    bool operator==(const BlogSettings&) const = default;
};

enum class MissingSetting { BlogAddress, VoiceBoxId, SkinNumber };

// What "Valider" makes of the values typed in the settings window.
struct SettingsReview {
    std::vector<MissingSetting> missing;     // the fields left empty, in their messages' order
    std::optional<BlogSettings> handedBack;  // for the main window, unless every field is empty
};

// Empty means no character at all; the voice-box identifier goes back without any U+0020,
// everything else exactly as typed.
SettingsReview ReviewSettings(const BlogSettings& typed);

}  // namespace quillomat

#include "linkcode/settings_hand_back.h"

#include "linkcode/text_replace.h"

namespace quillomat {

SettingsReview ReviewSettings(const BlogSettings& typed)
{
    SettingsReview review;
    if (typed.blogAddress.empty())
        review.missing.push_back(MissingSetting::BlogAddress);
    if (typed.voiceBoxId.empty())
        review.missing.push_back(MissingSetting::VoiceBoxId);
    if (typed.skinNumber.empty())
        review.missing.push_back(MissingSetting::SkinNumber);
    // One filled field is enough for the values to go back, empty ones included.
    if (review.missing.size() < 3)
        review.handedBack =
            BlogSettings{typed.blogAddress, RemoveAll(typed.voiceBoxId, " "), typed.skinNumber};
    return review;
}

}  // namespace quillomat

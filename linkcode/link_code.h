#pragma once

#include <string>
#include <string_view>

#include "linkcode/color_text.h"

namespace quillomat {

// The service's skins are numbered from "1" to this.
inline constexpr int SkinCount = 24;

// The skin's colour text ("#333333" for "1"); empty for anything but exactly "1" to `SkinCount`.
std::string SkinColor(std::string_view skinNumber);

// "[x=#RRGGBB-#RRGGBB]": the mark-up's two-colour tag.
std::string GradientTag(ColorValue start, ColorValue end);

// The two links with the placeholders [linkajout] and [linklire] standing for their addresses.
std::string BuildLinkTemplate(std::string_view skinColour, std::string_view firstTag,
                              std::string_view secondTag, std::string_view addCaption,
                              std::string_view separator, std::string_view readCaption);

// The service's page for adding a comment to the article. In both addresses the article number
// stands as it is but for "[" and "]", written "%5B" and "%5D" so that no page can close the tag.
std::string AddCommentAddress(std::string_view voiceBoxId, std::string_view articleNumber,
                              std::string_view skinNumber);

// The blog's page listing the article's comments.
std::string ReadCommentsAddress(std::string_view blogAddress, std::string_view articleNumber,
                                std::string_view skinNumber);

// Replaces [linkajout], then [linklire] in the result of that first pass.
std::string FillLinkTemplate(std::string_view linkTemplate, std::string_view addCommentAddress,
                             std::string_view readCommentsAddress);

}  // namespace quillomat

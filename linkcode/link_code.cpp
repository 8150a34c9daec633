#include "linkcode/link_code.h"

#include <array>
#include <initializer_list>

#include "linkcode/service_hosts.h"
#include "linkcode/text_replace.h"

namespace quillomat {

namespace {

constexpr std::array<std::string_view, SkinCount> skinColours = {
    "#333333", "#7e94a5", "#333300", "#ccd6e0", "#9c0062", "#6599ff", "#629962", "#cd6562",
    "#ffffff", "#ffffff", "#ffffff", "#ffcecd", "#000000", "#000000", "#000000", "#ffbe39",
    "#ffffcd", "#c5c6de", "#ee449c", "#4a5052", "#4a4c52", "#6a0420", "#f6a5ee", "#313031",
};

std::string Concatenate(std::initializer_list<std::string_view> pieces)
{
    std::string text;
    for (const std::string_view piece : pieces)
        text += piece;
    return text;
}

std::string NumberInLinkAddress(std::string_view articleNumber)
{
    return ReplaceAll(ReplaceAll(articleNumber, "[", "%5B"), "]", "%5D");
}

}  // namespace

std::string SkinColor(std::string_view skinNumber)
{
    // Only the exact texts "1" to "24" name a skin: no sign, blank or leading zero.
    for (int number = 1; number <= SkinCount; ++number)
        if (skinNumber == std::to_string(number))
            return std::string(skinColours[number - 1]);
    return {};
}

std::string GradientTag(ColorValue start, ColorValue end)
{
    return Concatenate({"[x=#", ColorToHex(start), "-#", ColorToHex(end), "]"});
}

std::string BuildLinkTemplate(std::string_view skinColour, std::string_view firstTag,
                              std::string_view secondTag, std::string_view addCaption,
                              std::string_view separator, std::string_view readCaption)
{
    return Concatenate({"[a=[linkajout]][c=", skinColour, "][s]", firstTag, addCaption, " ",
                        separator, "[/x][/a][a=[linklire]][c=", skinColour, "][s]", secondTag, " ",
                        readCaption, "[/x][/a]"});
}

std::string AddCommentAddress(std::string_view voiceBoxId, std::string_view articleNumber,
                              std::string_view skinNumber)
{
    return Concatenate({"http://www.", PrimaryServiceHost,
                        "/admBloger/commentaireForm.phtml?id_skynaute=", voiceBoxId, "&id_article=",
                        NumberInLinkAddress(articleNumber), "&id_template=", skinNumber});
}

std::string ReadCommentsAddress(std::string_view blogAddress, std::string_view articleNumber,
                                std::string_view skinNumber)
{
    return Concatenate({"http://", blogAddress, "/", NumberInLinkAddress(articleNumber),
                        "_comment_1.html?", skinNumber});
}

std::string FillLinkTemplate(std::string_view linkTemplate, std::string_view addCommentAddress,
                             std::string_view readCommentsAddress)
{
    return ReplaceAll(ReplaceAll(linkTemplate, "[linkajout]", addCommentAddress), "[linklire]",
                      readCommentsAddress);
}

}  // namespace quillomat

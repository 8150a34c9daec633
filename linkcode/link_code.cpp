#include "linkcode/link_code.h"

#include <array>

#include "linkcode/service_hosts.h"
#include "linkcode/text_replace.h"

namespace quillomat {

namespace {

constexpr std::array<std::string_view, SkinCount> skinColours = {
    "#333333", "#7e94a5", "#333300", "#ccd6e0", "#9c0062", "#6599ff", "#629962", "#cd6562",
    "#ffffff", "#ffffff", "#ffffff", "#ffcecd", "#000000", "#000000", "#000000", "#ffbe39",
    "#ffffcd", "#c5c6de", "#ee449c", "#4a5052", "#4a4c52", "#6a0420", "#f6a5ee", "#313031",
};

constexpr std::string_view addLinkPlaceholder = "[linkajout]";
constexpr std::string_view readLinkPlaceholder = "[linklire]";

// Only the exact texts "1" to "24" name a skin: no sign, blank or leading zero.
int SkinIndex(std::string_view skinNumber)
{
    if (skinNumber.empty() || skinNumber.size() > 2 || skinNumber.front() == '0')
        return -1;
    int number = 0;
    for (const char digit : skinNumber) {
        if (digit < '0' || digit > '9')
            return -1;
        number = number * 10 + (digit - '0');
    }
    return number >= 1 && number <= SkinCount ? number - 1 : -1;
}

// The article number comes verbatim from the page address, so any site can send the pane to an
// address whose number closes the link tag and opens one of its own. Brackets are what the
// mark-up is made of; written percent-encoded they stay part of the address.
std::string NumberInLinkAddress(std::string_view articleNumber)
{
    std::string number;
    for (const char character : articleNumber) {
        if (character == '[')
            number += "%5B";
        else if (character == ']')
            number += "%5D";
        else
            number += character;
    }
    return number;
}

}  // namespace

std::string SkinColor(std::string_view skinNumber)
{
    const int index = SkinIndex(skinNumber);
    return index < 0 ? std::string() : std::string(skinColours[index]);
}

std::string GradientTag(ColorValue start, ColorValue end)
{
    return "[x=#" + ColorToHex(start) + "-#" + ColorToHex(end) + "]";
}

std::string BuildLinkTemplate(std::string_view skinColour, std::string_view firstTag,
                              std::string_view secondTag, std::string_view addCaption,
                              std::string_view separator, std::string_view readCaption)
{
    std::string linkTemplate;
    for (const std::string_view piece :
         {std::string_view("[a=[linkajout]][c="), skinColour, std::string_view("][s]"), firstTag,
          addCaption, std::string_view(" "), separator,
          std::string_view("[/x][/a][a=[linklire]][c="), skinColour, std::string_view("][s]"),
          secondTag, std::string_view(" "), readCaption, std::string_view("[/x][/a]")})
        linkTemplate += piece;
    return linkTemplate;
}

std::string AddCommentAddress(std::string_view voiceBoxId, std::string_view articleNumber,
                              std::string_view skinNumber)
{
    std::string address = "http://www.";
    address += PrimaryServiceHost;
    address += "/admBloger/commentaireForm.phtml?id_skynaute=";
    address += voiceBoxId;
    address += "&id_article=";
    address += NumberInLinkAddress(articleNumber);
    address += "&id_template=";
    address += skinNumber;
    return address;
}

std::string ReadCommentsAddress(std::string_view blogAddress, std::string_view articleNumber,
                                std::string_view skinNumber)
{
    std::string address = "http://";
    address += blogAddress;
    address += "/";
    address += NumberInLinkAddress(articleNumber);
    address += "_comment_1.html?";
    address += skinNumber;
    return address;
}

std::string FillLinkTemplate(std::string_view linkTemplate, std::string_view addCommentAddress,
                             std::string_view readCommentsAddress)
{
    return ReplaceAll(ReplaceAll(linkTemplate, addLinkPlaceholder, addCommentAddress),
                      readLinkPlaceholder, readCommentsAddress);
}

}  // namespace quillomat

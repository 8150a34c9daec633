#include "main_use/main_use.h"

#include <utility>

#include "browser/article_address.h"
#include "linkcode/link_code_generation.h"
#include "linkcode/service_hosts.h"
#include "main_use/main_use_texts.h"

namespace quillomat {

namespace texts = main_use_texts;

namespace {

std::string InitialBlogAddress()
{
    return "monblog." + std::string(PrimaryServiceHost);
}

constexpr std::string_view InitialVoiceBoxId = "12345678";
constexpr std::string_view InitialSkinNumber = "1";
constexpr std::string_view InitialCurrentAddress = "Text9";

}  // namespace

MainUse::MainUse(MainUseDesktop& desktop, MainUseControls& controls)
    : desktop_(desktop),
      controls_(controls),
      Text1(InitialBlogAddress()),
      Text2(InitialVoiceBoxId),
      Text3(InitialSkinNumber),
      Text9(
          std::string(InitialCurrentAddress),
          [this](const std::string& address) { return DetectArticle(address); },
          [this] { return desktop_.BoxOpen(); })
{
    desktop_.SetBoxesClosedHandler([this] { Text9.CatchUp(); });
}

MainUse::~MainUse()
{
    desktop_.SetBoxesClosedHandler({});
}

void MainUse::OnLocationChanged(std::string_view address, AddressChange change)
{
    Text9.Store(address, change);
}

void MainUse::OnGenerateClicked()
{
    if (!desktop_.BoxOpen())
        GenerateLinkCode();
}

void MainUse::OnCopyClicked()
{
    if (!desktop_.BoxOpen())
        CopyLinkCode();
}

BlogSettings MainUse::Settings() const
{
    return {Text1, Text2, Text3};
}

void MainUse::TakeSettings(const BlogSettings& values)
{
    Text1 = values.blogAddress;
    Text2 = values.voiceBoxId;
    Text3 = values.skinNumber;
}

bool MainUse::GenerateLinkCode()
{
    const ShownControls shown = controls_.Read();
    LinkCodeFields fields;
    fields.firstColour = shown.swatchColours[0];
    fields.middleColour = shown.swatchColours[1];
    fields.lastColour = shown.swatchColours[2];
    fields.skinNumber = Text3;
    fields.automaticMode = shown.automaticMode;
    fields.addCaption = shown.addCaption;
    fields.separator = shown.separator;
    fields.readCaption = shown.readCaption;
    fields.articleShown = shown.articleShown;
    fields.articleNumber = Text4;
    fields.voiceBoxId = Text2;
    fields.blogAddress = Text1;
    fields.linkTemplate = shown.linkTemplate;

    LinkCodeResult result = ComputeLinkCode(fields);
    if (fields.automaticMode)
        controls_.ShowLinkTemplate(result.linkTemplate);
    if (!result.articleInProgress) {
        desktop_.ShowMessage(texts::NoArticleError, MessageIcon::Error, ApplicationTitle);
        desktop_.ShowMessage(texts::NoArticleAdvice, MessageIcon::Information, ApplicationTitle);
        return false;
    }
    Text5 = std::move(result.addCommentAddress);
    Text6 = std::move(result.readCommentsAddress);
    controls_.ShowLinkCode(result.linkCode);
    return true;
}

void MainUse::CopyLinkCode()
{
    // Announcing a copy that did not happen would have the user paste another program's text.
    if (desktop_.PutTextOnClipboard(controls_.Read().linkCode))
        desktop_.ShowMessage(texts::CopyDoneMessage, MessageIcon::Information,
                             texts::CopyDoneTitle);
    else
        desktop_.ShowMessage(texts::CopyFailedMessage, MessageIcon::Error, ApplicationTitle);
}

bool MainUse::DetectArticle(const std::string& address)
{
    ArticleMatch match = ArticleNumberFromAddress(address);
    if (!match.accepted) {
        controls_.ShowArticle("");
        return false;
    }
    Text4 = std::move(match.number);
    controls_.ShowArticle(Text4);
    // Copying after a refusal would announce the previous article's code as this one's.
    if (GenerateLinkCode())
        CopyLinkCode();
    return true;
}

}  // namespace quillomat

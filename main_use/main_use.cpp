#include "main_use/main_use.h"

#include <utility>

#include "browser/article_address.h"
#include "linkcode/link_code.h"
#include "linkcode/service_hosts.h"
#include "main_use/main_use_texts.h"

namespace quillomat {

namespace texts = main_use_texts;

MainUse::MainUse(MainUseDesktop& desktop, MainUseControls& controls)
    : desktop_(desktop),
      controls_(controls),
      Text1("monblog." + std::string(PrimaryServiceHost)),
      Text2("12345678"),
      Text3("1"),
      Text9(
          "Text9", [this](const std::string& address) { return DetectArticle(address); },
          [this] { return desktop_.BoxOpen(); })
{
    desktop_.SetBoxesClosedHandler([this] { Text9.CatchUp(); });
}

MainUse::~MainUse()
{
    desktop_.SetBoxesClosedHandler({});
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

void MainUse::TakeSettings(const BlogSettings& values)
{
    Text1 = values.blogAddress;
    Text2 = values.voiceBoxId;
    Text3 = values.skinNumber;
}

bool MainUse::GenerateLinkCode()
{
    const ShownControls shown = controls_.Read();
    const auto& [first, middle, last] = shown.swatchColours;
    const std::string linkTemplate =
        shown.automaticMode ? BuildLinkTemplate(SkinColor(Text3), GradientTag(first, middle),
                                                GradientTag(middle, last), shown.addCaption,
                                                shown.separator, shown.readCaption)
                            : shown.linkTemplate;
    if (shown.automaticMode)
        controls_.ShowLinkTemplate(linkTemplate);
    // Without an article in progress the addresses and the code box keep what they held.
    if (shown.articleShown.empty()) {
        desktop_.ShowMessage(texts::NoArticleError, MessageIcon::Error, ApplicationTitle);
        desktop_.ShowMessage(texts::NoArticleAdvice, MessageIcon::Information, ApplicationTitle);
        return false;
    }
    Text5 = AddCommentAddress(Text2, Text4, Text3);
    Text6 = ReadCommentsAddress(Text1, Text4, Text3);
    controls_.ShowLinkCode(FillLinkTemplate(linkTemplate, Text5, Text6));
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

#include "linkcode/link_code_generation.h"

#include "linkcode/link_code.h"

namespace quillomat {

LinkCodeResult ComputeLinkCode(const LinkCodeFields& fields)
{
    LinkCodeResult result;
    result.linkTemplate =
        fields.automaticMode
            ? BuildLinkTemplate(SkinColor(fields.skinNumber),
                                GradientTag(fields.firstColour, fields.middleColour),
                                GradientTag(fields.middleColour, fields.lastColour),
                                fields.addCaption, fields.separator, fields.readCaption)
            : fields.linkTemplate;

    result.articleInProgress = !fields.articleShown.empty();
    if (!result.articleInProgress)
        return result;

    result.addCommentAddress =
        AddCommentAddress(fields.voiceBoxId, fields.articleNumber, fields.skinNumber);
    result.readCommentsAddress =
        ReadCommentsAddress(fields.blogAddress, fields.articleNumber, fields.skinNumber);
    result.linkCode =
        FillLinkTemplate(result.linkTemplate, result.addCommentAddress, result.readCommentsAddress);
    return result;
}

}  // namespace quillomat

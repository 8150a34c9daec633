#include "linkcode/caption_tags.h"

#include "linkcode/text_replace.h"

namespace quillomat {

std::string WrapInTags(std::string_view caption, StyleTags tags)
{
    return std::string(tags.opening).append(caption).append(tags.closing);
}

std::string RemoveTags(std::string_view caption, StyleTags tags)
{
    return RemoveAll(RemoveAll(caption, tags.opening), tags.closing);
}

}  // namespace quillomat

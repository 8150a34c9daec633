#include "linkcode/caption_tags.h"

#include "linkcode/text_replace.h"

namespace quillomat {

std::string WrapInTags(std::string_view caption, StyleTags tags)
{
    std::string wrapped(tags.opening);
    wrapped += caption;
    wrapped += tags.closing;
    return wrapped;
}

std::string RemoveTags(std::string_view caption, StyleTags tags)
{
    return RemoveAll(RemoveAll(caption, tags.opening), tags.closing);
}

}  // namespace quillomat

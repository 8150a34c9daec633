#include "linkcode/caption_tags.h"

namespace quillomat {

std::string WrapInTags(std::string_view caption, StyleTags tags)
{
    std::string wrapped(tags.opening);
    wrapped += caption;
    wrapped += tags.closing;
    return wrapped;
}

}  // namespace quillomat

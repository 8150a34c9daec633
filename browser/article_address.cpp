#include "browser/article_address.h"

#include <algorithm>

#include "linkcode/service_hosts.h"
#include "linkcode/text_replace.h"

namespace quillomat {

namespace {

std::string Prefix(std::string_view schemeAndWww, std::string_view host)
{
    return std::string(schemeAndWww)
        .append(host)
        .append("/admBloger/article.phtml?edit_article=1&id=");
}

}  // namespace

const std::array<std::string, 4> ArticleEditPrefixes = {
    Prefix("http://www.", PrimaryServiceHost),
    Prefix("http://", PrimaryServiceHost),
    Prefix("http://www.", SecondaryServiceHost),
    Prefix("http://", SecondaryServiceHost),
};

ArticleMatch ArticleNumberFromAddress(std::string_view address)
{
    const bool accepted =
        std::any_of(ArticleEditPrefixes.begin(), ArticleEditPrefixes.end(),
                    [address](const std::string& prefix) { return address.starts_with(prefix); });
    if (!accepted)
        return {};

    std::string number(address);
    for (const std::string& prefix : ArticleEditPrefixes)
        number = RemoveAll(number, prefix);
    return {true, std::move(number)};
}

}  // namespace quillomat

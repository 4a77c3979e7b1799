#include "text/Search.h"

#include <algorithm>

#include "store/Cp1251.h"

namespace text {

size_t SearchIndex::Add(std::string_view title, std::string_view body)
{
    Item item;
    item.title = store::Utf8ToCp1251(title);
    item.body = store::Utf8ToCp1251(body);
    // A line break cannot be searched for, so the title never runs into the body.
    item.folded = store::Folded1251(item.title + '\n' + item.body);
    items_.push_back(std::move(item));
    return items_.size() - 1;
}

std::vector<SearchHit> SearchIndex::Find(std::string_view query, size_t limit) const
{
    std::vector<SearchHit> hits;
    const std::string needle = store::FoldedUtf8(query);
    if (needle.find_first_not_of(" \t") == std::string::npos || needle.find_first_of("\r\n") != std::string::npos)
        return hits;
    for (size_t i = 0; i < items_.size() && hits.size() < limit; ++i) {
        const Item& item = items_[i];
        const std::string_view hay = item.folded;
        const size_t bodyStart = item.title.size() + 1;
        size_t at = hay.find(needle);
        if (at != std::string_view::npos && at < bodyStart) {
            hits.push_back({i, -1, store::Cp1251ToUtf8(item.title)});
            at = hay.find(needle, bodyStart);
        }
        int line = 0;
        size_t lineStart = bodyStart;
        while (at != std::string_view::npos && hits.size() < limit) {
            // Lines break at LF, CR LF or a lone CR, as the editors read them.
            for (size_t p = hay.find_first_of("\r\n", lineStart); p != std::string_view::npos && p < at;
                 p = hay.find_first_of("\r\n", lineStart)) {
                lineStart = p + (hay[p] == '\r' && p + 1 < hay.size() && hay[p + 1] == '\n' ? 2 : 1);
                ++line;
            }
            const size_t lineEnd = std::min(hay.find_first_of("\r\n", at), hay.size());
            hits.push_back({i, line, store::Cp1251ToUtf8(std::string_view(item.body).substr(
                                         lineStart - bodyStart, lineEnd - lineStart))});
            at = lineEnd < hay.size() ? hay.find(needle, lineEnd) : std::string_view::npos;
        }
    }
    return hits;
}

}  // namespace text

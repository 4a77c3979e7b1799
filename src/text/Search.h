#pragma once
// Finds a query in a set of short texts (a title and a body each), ignoring
// the case of Latin and Cyrillic letters. The texts are kept as 1251, folded
// once when added, so a search is one pass over bytes. Text is UTF-8.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace text {

struct SearchHit {
    size_t item = 0;       // in the order of Add
    int line = -1;         // line of the body; -1 for the title
    std::string lineText;  // that line (or the title)
};

class SearchIndex {
public:
    // Returns the item's number.
    size_t Add(std::string_view title, std::string_view body);
    size_t Size() const { return items_.size(); }

    // The title first, then every body line holding the query, item by item;
    // at most `limit` hits. An empty or blank query finds nothing.
    std::vector<SearchHit> Find(std::string_view query, size_t limit = 200) const;

private:
    struct Item {
        std::string title;   // 1251
        std::string body;    // 1251
        std::string folded;  // title, '\n', body: 1251 folded to lower case
    };
    std::vector<Item> items_;
};

}  // namespace text

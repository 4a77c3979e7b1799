#include "text/Profile.h"

#include "store/Cp1251.h"

namespace text {

std::string RankNumber(std::string_view rank)
{
    const size_t first = rank.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    rank = rank.substr(first, rank.find_last_not_of(" \t") - first + 1);
    // The rank dialog writes the title as offered; a hand-edited file may not keep its case.
    const std::string key = store::FoldedUtf8(rank);
    int number = 1;
    for (std::string_view title : kRankTitles) {
        if (store::FoldedUtf8(title) == key) return std::to_string(number);
        ++number;
    }
    return {};
}

}  // namespace text

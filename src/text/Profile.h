#pragma once
// The officer as a text names him: what [global] of Setting.ini holds, with
// the defaults the panel shows. UTF-8.

#include <string>
#include <string_view>

namespace text {

struct Profile {
    std::string nick;        // as the home page shows it
    std::string rank;        // звание
    std::string department;  // департамент
    std::string tag;         // тег
    std::string extraTag;    // доптег; "null" is none
    std::string badge;       // жетон
    bool female = false;     // пол is "Женский"
};

// The titles the rank dialog offers, in order.
inline constexpr std::string_view kRankTitles[] = {
    "Рядовой", "Сержант", "Ст. Сержант", "Лейтенант", "Ст. Лейтенант", "Капитан", "Майор",
    "Подполковник", "Полковник", "Генерал", "Министр", "Администратор", "Тестировщик скрипта",
};

// {ранг}: the rank's number among kRankTitles ("1" for "Рядовой"), blanks
// around and case ignored; empty for any other title.
std::string RankNumber(std::string_view rank);

}  // namespace text

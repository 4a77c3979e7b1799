#include "hotkeys/BinderKeys.h"

#include <algorithm>

namespace hotkeys {
namespace {

constexpr BinderKey kBinderKeys[] = {
    {"key37", "~VK02 & VK70", 1, 1, "Фиксация игрока под прицелом"},
    {"key41", "~VK02 & VK71", 1, 2, "Фиксация нападавшего игрока"},
    {"key39", "~VK02 & VK72", 1, 3, "Фиксация игрока вручную"},
    {"key65", "~VK02 & VK74", 1, 4, "Фиксация ближайшего игрока"},
    {"key40", "~VK02 & VK73", 1, 5, "Сброс фиксации игрока"},
    {"key1", "VK70", 1, 6, "Завести дело по УК"},
    {"key2", "VK71", 1, 7, "Выписать штраф по АК/ПДД"},
    {"key6", "VK78", 1, 8, "Пропечатать команду /time"},
    {"key7", "VK79", 1, 9, "Сделать скринщот"},
    {"key11", "VK6D", 1, 10, "Закрыть дело"},
    {"key12", "VK6B", 1, 11, "Завести дело по запросу"},
    {"key59", "VK12 & VK46", 1, 12, "Включить систему погони"},
    {"key62", "VK11 & VK46", 1, 13, "Выключить систему погони"},
    {"key60", "VK12 & VK48", 1, 14, "Принять запрос помощи"},
    {"key31", "VK12 & VK54", 2, 1, "Меню старшего состава"},
    {"key10", "VK7B", 2, 2, "Быстрый выброс из ТС"},
    {"key23", "VK12 & VK70", 2, 3, "Остановить отыгровку"},
    {"key25", "VK12 & VK74", 2, 4, "Запросить помощь в рацию"},
    {"key26", "VK11 & VK74", 2, 5, "Запросить помощь в общефрак"},
    {"key27", "VK12 & VK75", 2, 6, "Открыть чат с тегом ![teg]"},
    {"key28", "VK11 & VK75", 2, 7, "Открыть чат с тегом !![LSPD]"},
    {"key29", "VK12 & VK45", 2, 8, "Поиск в УК/АК/ПДД"},
    {"key63", "VK11 & VK45", 2, 9, "Поиск в УМВД"},
    {"key30", "VK12 & VK51", 2, 10, "Ручная отыгровка оружия"},
    {"key32", "VK12 & VK50", 2, 11, "Клавиша докладов 1"},
    {"key33", "VK12 & VK4B", 2, 12, "Клавиша докладов 2"},
    {"key34", "VK12 & VK52", 2, 13, "Отправить ЖБ в репорт"},
    {"key35", "~VK02 & VK31", 2, 14, "Объявить по УК дмщика"},
    {"key38", "VK10 & VK75", 3, 1, "Активация команды из редактора"},
    {"key42", "~VK02 & VK54", 3, 2, "Тайзер"},
    {"key43", "~VK02 & VK45", 3, 3, "Быстрое укрытие"},
    {"key44", "~VK02 & VK9F", 3, 4, "Посадить в полицейский тс"},
    {"key45", "~VK02 & VK9E", 3, 5, "Высадить с полицейского тс"},
    {"key46", "~VK02 & VK04", 3, 6, "Наручники + Вести за собой"},
    {"key47", "~VK02 & VK51", 3, 7, "Вести за собой игрока под приц."},
    {"key48", "~VK02 & VK4D", 3, 8, "Меню действий над игроком"},
    {"key13", "VK12 & VK6D", 3, 9, "10-4 в !"},
    {"key61", "VK11 & VK48", 3, 10, "Перестать помогать"},
    {"key50", "VK11 & VK31", 3, 11, "Быстрый розыск 1"},
    {"key51", "VK11 & VK32", 3, 12, "Быстрый розыск 2"},
    {"key52", "VK11 & VK33", 3, 13, "Быстрый розыск 3"},
    {"key53", "VK11 & VK34", 3, 14, "Быстрый розыск 4"},
    {"key54", "VK11 & VK35", 4, 1, "Быстрый розыск 5"},
    {"key55", "VK11 & VK36", 4, 2, "Быстрый розыск 6"},
    {"key56", "VK11 & VK37", 4, 3, "Быстрый розыск 7"},
    {"key57", "VK11 & VK38", 4, 4, "Быстрый розыск 8"},
    {"key58", "VK11 & VK39", 4, 5, "Быстрый розыск 9"},
    {"key49", "VK11 & VK6D", 4, 6, "10-4 в !!"},
};

constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

}  // namespace

std::span<const BinderKey> BinderKeys() {
    return kBinderKeys;
}

const BinderKey* FindBinderKey(std::string_view iniKey) {
    // The settings store folds case too, so "Key37" and "key37" are one entry.
    for (const BinderKey& key : kBinderKeys) {
        if (EqualsIgnoringAsciiCase(key.iniKey, iniKey)) {
            return &key;
        }
    }
    return nullptr;
}

}  // namespace hotkeys

#include "hotkeys/RolePlayEntries.h"

namespace hotkeys {
namespace {

constexpr RolePlayEntry kEntries[] = {
    {"Настройка отыгровки выписки штрафа", "штраф.txt", "key2", "VK71", "", RolePlayKind::Hotkey},  // 0
    {"Настройка отыгровки представления (Горячей клавишей)", "hello.txt", "key14", "VK12 & VK31", "", RolePlayKind::Hotkey},  // 1
    {"Настройка отыгровки представления (команды /ку)", "helloku.txt", "", "", "Активируется командой /ку", RolePlayKind::CommandOnly, "/ку"},  // 2
    {"Настройка отыгровки громкоговорителя (При фиксации)", "stop1.txt", "key3", "VK72", "", RolePlayKind::Hotkey, "", Fixation::Fixed},  // 3
    {"Настройка отыгровки громкоговорителя (Без фиксации)", "stop2.txt", "key3", "VK72", "", RolePlayKind::Hotkey, "", Fixation::NotFixed},  // 4
    {"Настройка отыгровки Правило миранды", "миранда.txt", "key18", "VK12 & VK35", "", RolePlayKind::Hotkey},  // 5
    {"Настройка отыгровки Проверка по КПК", "кпк.txt", "key17", "VK12 & VK37", "", RolePlayKind::Hotkey},  // 6
    {"Настройка отыгровки Проверка на наркотики", "мг.txt", "", "", "Активируется командой /мг", RolePlayKind::CommandOnly, "/мг"},  // 7
    {"Настройка отыгровки Если не в розыске", "nosu.txt", "key15", "VK12 & VK32", "", RolePlayKind::Hotkey},  // 8
    {"Настройка отыгровки Если в розыске", "su.txt", "key16", "VK12 & VK33", "", RolePlayKind::Hotkey},  // 9
    {"Настройка отыгровки Посадка в КПЗ (Текст до посадки)", "кпз1.txt", "key20", "VK12 & VK38", "", RolePlayKind::Hotkey},  // 10
    {"Настройка отыгровки Посадка в КПЗ (Текст после посадки)", "кпз2.txt", "key36", "VK02 & VK38", "", RolePlayKind::Hotkey},  // 11
    {"Настройка отыгровки Взлом двери", "door.txt", "key19", "VK12 & VK37", "", RolePlayKind::Hotkey},  // 12
    {"Настройка отыгровки Кричалка (Например: Всем стоять)", "allstop.txt", "key3", "VK72", "", RolePlayKind::Hotkey},  // 13
    {"Настройка отыгровки Кричалка 2 (Например: Оружие на землю)", "gunoff.txt", "key24", "VK12 & VK72", "", RolePlayKind::Hotkey},  // 14
    {"Настройка отыгровки Кричалка 3 (Например: Пропустить тс)", "пропустить.txt", "key65", "", "", RolePlayKind::Hotkey},  // 15
    {"Настройка отыгровки Кричалка 4 (Например: Просьба перепарковаться)", "перепарковаться.txt", "key8", "VK7A", "", RolePlayKind::Hotkey, "", Fixation::NotFixed},  // 16
    {"Настройка отыгровки Прогон с территории", "terr.txt", "key5", "VK74", "", RolePlayKind::Hotkey},  // 17
    {"Настройка отыгровки Алкотестер", "алкотестер.txt", "", "", "Активируется коммандой /алк", RolePlayKind::CommandOnly, "/алк"},  // 18
    {"Настройка отыгровки Оказание первой помощи", "пп.txt", "", "", "Активируется коммандой /пп", RolePlayKind::CommandOnly, "/пп"},  // 19
    {"Настройка отыгровки Осмотр багажника", "багажник.txt", "", "", "Комманда /багажник", RolePlayKind::CommandOnly, "/багажник"},  // 20
    {"Настройка отыгровки Одеть наручники", "наручникиО.txt", "key8", "VK7A", "", RolePlayKind::Hotkey, "", Fixation::Fixed},  // 21
    {"Настройка отыгровки Снять наручники", "наручникиС.txt", "key9", "VK12 & VK7A", "", RolePlayKind::Hotkey},  // 22
    {"Настройка отыгровки Просьба покинуть ТС", "покинутьТС.txt", "key4", "VK75", "", RolePlayKind::Hotkey},  // 23
    {"Установка водной подушки", "", "", "", "", RolePlayKind::NoFile},  // 24
    {"Убирание водной подушки", "", "", "", "", RolePlayKind::NoFile},  // 25
    {"Установить блокиратор колес", "", "", "", "", RolePlayKind::NoFile},  // 26
    {"Убрать блокиратор колес", "", "", "", "", RolePlayKind::NoFile},  // 27
};

}  // namespace

std::span<const RolePlayEntry> RolePlayEntries() {
    return kEntries;
}

}  // namespace hotkeys

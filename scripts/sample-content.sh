# Sourced by the screenshot scripts. sample_content <program folder>: a little
# content, so the pages show what a player's would (files are 1251).
sample_content() {
  local program=$1
  to1251() { iconv -f UTF-8 -t CP1251 > "$1"; }
  printf '[global]\r\nnick=Ivan_Petrov\r\nзвание=Лейтенант\r\nтег=7-L-15\r\nдоптег=ТЕСТ\r\nжетон=4417203\r\n' |
    to1251 "$program/Setting.ini"
  printf '/me достал бланк штрафа и ручку\r\n/do Бланк заполнен.\r\n/me протянул бланк нарушителю\r\nОплатите штраф в течение суток.' |
    to1251 "$program/отыгровки/rp1/штраф.txt"
  printf '/me представился: сотрудник полиции Лос-Сантоса, старший лейтенант Иван Петров, предъявил служебное удостоверение в развёрнутом виде\r\n/do Удостоверение в руке.' |
    to1251 "$program/отыгровки/rp1/helloku.txt"
  printf '/me надел наручники на задержанного\r\n/arrest' | to1251 "$program/отыгровки/rp1/команды/арест.lcb"
  printf '/me провёл обыск\r\n/frisk' | to1251 "$program/отыгровки/rp1/команды/обыск.lcb"
  # обыск shares Alt+H with a binder action: the pages show such a clash.
  printf '[keys]\r\nарест=VK12 & VK31\r\nобыск=VK12 & VK48\r\n' | to1251 "$program/date/rp1/keycomand.ini"
}

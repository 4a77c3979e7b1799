#pragma once
// The picker's keyboard and mouse: one table of every key the picture shows,
// with its place. The picture is painted from it and the key shapes are laid
// over it from it, so a shape can never drift off its key.

#include <QPixmap>
#include <QRect>
#include <span>
#include <string_view>

namespace keyboard {

enum class CapKind {
    Key,          // an ordinary key cap
    DarkKey,      // drawn, but not offered: no shape
    MouseButton,  // a plain rectangle on the mouse
    MouseWheel,   // wheel up/down and the middle button
};

struct Cap {
    std::string_view token;   // "VK70"; empty for a key that is not offered
    std::string_view legend;  // printed on the cap; "\n" splits an upper and a lower line
    std::string_view local;   // the Russian letter printed at the lower right, or empty
    QRect rect;               // on the picture, which lies at the dialog's (0, 0)
    CapKind kind;
};

inline constexpr QSize kPictureSize(1060, 288);
// The three lock lights above the numeric pad, Num Lock first.
inline constexpr QRect kNumLockLight(740, 14, 23, 7);
inline constexpr QRect kCapsLockLight(778, 14, 23, 7);
inline constexpr QRect kScrollLockLight(816, 14, 23, 7);

std::span<const Cap> Caps();
// The cap of a token, nullptr when the picture has none.
const Cap* FindCap(std::string_view token);

// The painted picture; made once and shared.
const QPixmap& Picture();

}  // namespace keyboard

#pragma once
// The core speaks UTF-8 in std::string; the windows speak QString.

#include <QString>
#include <string_view>

inline QString ToQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

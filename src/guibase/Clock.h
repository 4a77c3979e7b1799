#pragma once
// Local time as archives and their names record it.

#include <QDateTime>
#include <string>

namespace clock_text {

// "20261210-083000": snapshot names sort by it.
inline std::string FileStamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")).toStdString();
}

// "10.12.2026 08:30:00", for people.
inline std::string Human()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")).toStdString();
}

}  // namespace clock_text

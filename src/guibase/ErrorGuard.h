#pragma once
// Runs one handler. An error it raises is shown in the error box with its
// text; the rest of the handler is skipped and the program goes on. No
// exception ever crosses Qt's event loop.

#include <QString>
#include <exception>
#include <utility>

#include "guibase/Prompts.h"

class QWidget;

template <class Handler>
bool Guarded(QWidget* parent, Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const std::exception& e) {
        prompts::Error(parent, QString::fromUtf8(e.what()));
    } catch (...) {
        prompts::Error(parent, QStringLiteral("Unknown error"));
    }
    return false;
}

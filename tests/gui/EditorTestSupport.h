#pragma once
// Small helpers shared by the editor pages' tests: mouse events delivered
// the way the window system would, and a watch for the keyboard picker.

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace editortest {

inline void Mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent e(type, at, w->mapToGlobal(at), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void Press(QWidget* w, Qt::MouseButton button = Qt::LeftButton)
{
    Mouse(w, QEvent::MouseButtonPress, button);
    Mouse(w, QEvent::MouseButtonRelease, button);
}

inline void DoubleClick(QWidget* w)
{
    Mouse(w, QEvent::MouseButtonPress);
    Mouse(w, QEvent::MouseButtonRelease);
    Mouse(w, QEvent::MouseButtonDblClick);
    Mouse(w, QEvent::MouseButtonRelease);
}

inline void Enter(QWidget* w)
{
    const QPointF at(1, 1);
    QEnterEvent e(at, at, w->mapToGlobal(at));
    QApplication::sendEvent(w, &e);
}

inline void Leave(QWidget* w)
{
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
}

// Runs `act`; `whileModal` runs on the modal window it opens, which is then
// closed. Returns the modal window that came up, or nullptr when none did.
inline QWidget* WithModal(const std::function<void()>& act, const std::function<void(QWidget*)>& whileModal = {})
{
    QWidget* seen = nullptr;
    QTimer::singleShot(0, [&] {
        seen = QApplication::activeModalWidget();
        if (seen == nullptr) return;
        if (whileModal) whileModal(seen);
        if (seen->isVisible()) seen->close();
    });
    act();
    QCoreApplication::processEvents();
    return seen;
}

}  // namespace editortest

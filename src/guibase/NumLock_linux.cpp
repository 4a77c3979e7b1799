#include "guibase/NumLock.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#ifdef QUORVEL_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#endif

namespace numlock {

#ifdef QUORVEL_HAVE_X11
namespace {

Display* XDisplay()
{
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

bool KeyHeld(Display* display, KeySym sym)
{
    const KeyCode code = XKeysymToKeycode(display, sym);
    if (code == 0) return false;
    char keys[32] = {};
    XQueryKeymap(display, keys);
    return (keys[code / 8] & (1 << (code % 8))) != 0;
}

}  // namespace

// The keyboard's own "Num Lock" indicator, the lamp the user sees. Held down
// counts as off, as the Windows key state reads.
State Read()
{
    Display* display = XDisplay();
    if (display == nullptr) return State::Unknown;
    static const Atom indicator = XInternAtom(display, "Num Lock", True);
    if (indicator == None) return State::Unknown;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, indicator, nullptr, &on, nullptr, nullptr)) return State::Unknown;
    if (!on) return State::Off;
    return KeyHeld(display, XK_Num_Lock) ? State::Off : State::On;
}

#else

State Read()
{
    return State::Unknown;
}

#endif

}  // namespace numlock

#pragma once
// Qt's own texts (standard buttons, context menus of text fields, file and
// input dialogs) in Russian, from the translation embedded in the program.

class QCoreApplication;

namespace qt_translation {

// Loads the embedded Russian translation of Qt into a translator owned by
// `app` and installs it. False, with nothing installed, when it cannot be
// loaded. A second call installs nothing more.
bool InstallRussian(QCoreApplication& app);

}  // namespace qt_translation

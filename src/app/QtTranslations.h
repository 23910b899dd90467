#pragma once

class QCoreApplication;

namespace vallo {

// Loads Qt's own Japanese texts (standard buttons, file, colour and message dialogs) from Qt's
// translations folder, so that they match the program's interface. False when they are not
// installed; Qt's English texts then stay.
bool InstallQtTranslations(QCoreApplication& app);

} // namespace vallo

#pragma once

class QWidget;

namespace vallo {

// Turns SIGTERM, SIGINT and SIGHUP (a session ending, kill, Ctrl+C in the terminal) into a close
// request of the main window, so the configuration is written as when the user quits. Call once,
// after the application object exists.
void CloseOnQuitSignals(QWidget* mainWindow);

} // namespace vallo

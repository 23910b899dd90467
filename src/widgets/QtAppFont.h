#pragma once

class QApplication;

namespace vallo {

// Gives the application its font: IPAGothic (the Japanese font the set-up installs) at the
// platform's size, so that Latin and Japanese captions share one face and every window is laid
// out with the metrics it is shown with. Windows never set a smaller font of their own.
void UseApplicationFont(QApplication& app);

} // namespace vallo

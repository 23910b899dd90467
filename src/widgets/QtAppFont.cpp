#include "widgets/QtAppFont.h"

#include <QApplication>
#include <QFont>
#include <QStringList>

namespace vallo {

void UseApplicationFont(QApplication& app) {
    QFont font = QApplication::font();
    // Where IPAGothic is missing, fontconfig's usual sans-serif face stands in.
    font.setFamilies({"IPAGothic", "IPAPGothic", "Noto Sans CJK JP", "sans-serif"});
    app.setFont(font);
}

} // namespace vallo

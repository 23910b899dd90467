#include "draw/QtClipboardImage.h"

#include "image/ColorReducer.h"
#include "widgets/QtDibImage.h"

#include <QRect>
#include <cstring>

namespace vallo {

QImage DibToIndexedImage(const TDIB& dib) {
    QRect source;
    const QImage wrapper = WrapDibRect(dib, QRect(0, 0, dib.Width(), dib.Height()), &source);
    if (wrapper.isNull())
        return QImage();
    // copy() detaches from the TDIB's store, so the clipboard keeps a valid image.
    return wrapper.copy(source);
}

namespace {

TDIB DibFromIndexed(const QImage& image) {
    TDIB dib(image.width(), image.height(), 8);
    ColorTableArray& table = dib.ColorTable();
    table.fill(RGBQuad{});
    const QList<QRgb> colors = image.colorTable();
    for (qsizetype i = 0; i < colors.size() && i < 256; ++i)
        table[size_t(i)] = {uint8_t(qBlue(colors[i])), uint8_t(qGreen(colors[i])),
                            uint8_t(qRed(colors[i])), 0};
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(dib.ScanLine(y), image.constScanLine(y), size_t(image.width()));
    dib.UpdatePalette();
    return dib;
}

} // namespace

TDIB DibFromClipboardImage(const QImage& image) {
    if (image.isNull())
        return TDIB();
    if (image.format() == QImage::Format_Indexed8)
        return DibFromIndexed(image);
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    if (rgba.isNull())
        throw DibError("クリップボードの画像を変換できません");
    return ReduceRgbaTo256(rgba.constBits(), rgba.width(), rgba.height(), int(rgba.bytesPerLine()));
}

} // namespace vallo

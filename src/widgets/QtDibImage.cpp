#include "widgets/QtDibImage.h"

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <algorithm>

namespace vallo {

QList<QRgb> DibColorTable(const ColorTableArray& table) {
    QList<QRgb> colors(256);
    for (int i = 0; i < 256; ++i) {
        const RGBQuad q = table[size_t(i)];
        colors[i] = qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    return colors;
}

QImage WrapDibRect(const TDIB& dib, const QRect& rect, QRect* source) {
    const QRect r = rect.intersected(QRect(0, 0, dib.Width(), dib.Height()));
    if (r.isEmpty() || dib.BitCount() != 8 || !dib.Bits()) {
        if (source)
            *source = QRect();
        return QImage();
    }
    const int left = r.left() & ~3;
    // The non-const constructor keeps QImage from copying the pixels when the colour table is
    // set (it copies read-only data on any change); nothing writes through the wrapper.
    uchar* first =
        const_cast<uchar*>(dib.Bits()) + size_t(r.top()) * size_t(dib.WidthBytes()) + size_t(left);
    QImage image(first, r.right() + 1 - left, r.height(), dib.WidthBytes(),
                 QImage::Format_Indexed8);
    image.setColorTable(DibColorTable(dib.ColorTable()));
    if (source)
        *source = QRect(r.left() - left, 0, r.width(), r.height());
    return image;
}

QImage DibRegionToImage(const TDIB& dib, const QRect& region) {
    const QRect r = region.intersected(QRect(0, 0, dib.Width(), dib.Height()));
    QImage out(region.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    const ColorTableArray& table = dib.ColorTable();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const uint32_t v = dib.Pixel(x, y);
            QRgb c;
            if (dib.BitCount() <= 8) {
                const RGBQuad q = table[v & 0xFF];
                c = qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
            } else if (dib.BitCount() == 16) {
                c = qRgb(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31,
                         (v & 31) * 255 / 31);
            } else {
                c = qRgb((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
            }
            out.setPixel(x - region.left(), y - region.top(), c);
        }
    }
    return out;
}

QImage LoadStripImage(const std::string& path) {
    try {
        TDIB dib;
        dib.LoadFromFile(path);
        if (dib.Empty())
            return QImage();
        return DibRegionToImage(dib, QRect(0, 0, dib.Width(), dib.Height()));
    } catch (const std::exception&) {
        return QImage();
    }
}

QImage StripIcon(const QImage& strip, int index) {
    constexpr int kIcon = 16;
    if (index < 0 || strip.height() < kIcon || strip.width() < kIcon * (index + 1))
        return QImage();
    return strip.copy(kIcon * index, 0, kIcon, kIcon);
}

QPixmap PixelPixmap(const QImage& image, int ratio) {
    ratio = std::max(ratio, 1);
    QPixmap pixmap =
        QPixmap::fromImage(ratio == 1 ? image
                                      : image.scaled(image.size() * ratio, Qt::IgnoreAspectRatio,
                                                     Qt::FastTransformation));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon PixelIcon(const QImage& image) {
    QIcon icon;
    for (int ratio = 1; ratio <= 3; ++ratio)
        icon.addPixmap(PixelPixmap(image, ratio));
    return icon;
}

void PaintDibExposed(QPainter& painter, const TDIB& dib, const QRect& exposed,
                     const QColor& background) {
    const QRect inside = exposed.intersected(QRect(0, 0, dib.Width(), dib.Height()));
    QRect source;
    const QImage wrapped = WrapDibRect(dib, inside, &source);
    if (!wrapped.isNull())
        painter.drawImage(inside.topLeft(), wrapped, source);
    const QRegion rest = QRegion(exposed) - QRegion(inside);
    for (const QRect& r : rest)
        painter.fillRect(r, background);
}

} // namespace vallo

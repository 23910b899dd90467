#include "app/QtPictureReader.h"

#include "state/EditorState.h"

#include <QImage>
#include <QImageReader>
#include <algorithm>

namespace vallo {

bool ReadPictureWithQt(const std::string& path, RgbaPicture& picture, std::string& error) {
    QImageReader reader(QString::fromStdString(path));
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxImageSize || size.height() > kMaxImageSize)) {
        error = "画像が大きすぎます (最大 " + std::to_string(kMaxImageSize) + " x " +
                std::to_string(kMaxImageSize) + ")";
        return false;
    }
    QImage image;
    if (!reader.read(&image)) {
        error = path + ": " + reader.errorString().toStdString();
        return false;
    }
    picture.Palette.clear();
    const bool indexed = image.format() == QImage::Format_Indexed8 ||
                         image.format() == QImage::Format_Mono ||
                         image.format() == QImage::Format_MonoLSB;
    if (indexed && image.colorCount() >= 1 && image.colorCount() <= 256) {
        // Palette pictures (GIF, palette TIFF, …) keep their indices and colour order.
        image = image.convertToFormat(QImage::Format_Indexed8);
        for (const QRgb c : image.colorTable())
            picture.Palette.push_back(uint32_t(c) & 0xFFFFFF);
        picture.Width = image.width();
        picture.Height = image.height();
        picture.Stride = picture.Width;
        picture.Pixels.resize(size_t(picture.Stride) * size_t(picture.Height));
        for (int y = 0; y < picture.Height; ++y)
            std::copy_n(image.constScanLine(y), picture.Width,
                        picture.Pixels.begin() + ptrdiff_t(y) * picture.Stride);
        return true;
    }
    image = image.convertToFormat(QImage::Format_RGBA8888);
    picture.Width = image.width();
    picture.Height = image.height();
    picture.Stride = picture.Width * 4;
    picture.Pixels.resize(size_t(picture.Stride) * size_t(picture.Height));
    for (int y = 0; y < picture.Height; ++y)
        std::copy_n(image.constScanLine(y), picture.Stride,
                    picture.Pixels.begin() + ptrdiff_t(y) * picture.Stride);
    return true;
}

} // namespace vallo

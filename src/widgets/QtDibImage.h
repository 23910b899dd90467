#pragma once

#include "image/DIB.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <string>

class QPainter;
class QColor;
class QIcon;
class QPixmap;

namespace vallo {

// Bridges between TDIB and QImage for painting.

QList<QRgb> DibColorTable(const ColorTableArray& table);

// An Indexed8 QImage over the pixels of an 8-bit TDIB, starting at a 4-byte aligned column at
// or left of rect's left, without copying. `source` receives rect in the wrapper's coordinates.
// Valid only while the TDIB is neither resized nor written through an unsharing access.
QImage WrapDibRect(const TDIB& dib, const QRect& rect, QRect* source);

// Paints the exposed part of a TDIB at 1:1 with its top-left at (0, 0); what the exposed
// rectangle has beyond the image is filled with the background colour.
void PaintDibExposed(QPainter& painter, const TDIB& dib, const QRect& exposed,
                     const QColor& background);

// A copy of a region of a TDIB of any bit depth as an ARGB32 image (icons, pen strips).
QImage DibRegionToImage(const TDIB& dib, const QRect& region);

// Reads a data file of the program (the icon and pen strips) as an ARGB32 image; a null image
// when it is missing or unreadable.
QImage LoadStripImage(const std::string& path);

// Icon `index` of a strip of 16 x 16 icons side by side; a null image when the strip is too
// small to hold it.
QImage StripIcon(const QImage& strip, int index);

// A pixmap of `image` for a screen of `ratio` device pixels per pixel: every image pixel is a
// block of whole device pixels, so that Qt does not smooth pixel art when the screen is scaled.
QPixmap PixelPixmap(const QImage& image, int ratio);

// An icon of `image` that stays sharp on screens of one to three device pixels per pixel.
QIcon PixelIcon(const QImage& image);

} // namespace vallo

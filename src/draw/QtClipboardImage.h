#pragma once

#include "image/DIB.h"

#include <QImage>

namespace vallo {

// Conversions between the copy buffer and the images the system clipboard carries.

// An indexed QImage that owns a copy of an 8-bit TDIB's pixels and its colour table; a null
// image for an empty TDIB or one of another depth.
QImage DibToIndexedImage(const TDIB& dib);

// An 8-bit TDIB with 256 colour-table entries from a clipboard image. An indexed image keeps its
// pixel indices and colour table (entries it lacks are black); any other image is reduced to 256
// colours. A null image gives an empty TDIB. Too large an image fails with DibError.
TDIB DibFromClipboardImage(const QImage& image);

} // namespace vallo

#pragma once

// The pictures the first windows show ship as raw pixels in the layout the
// raster painter draws from, packed at build time. Showing one then costs
// neither a decode nor the image-plugin scan that the first image read
// triggers, and the pixmap uses the executable's own pages in place.
//
// Packed layout: "VPIX", then the QImage format (RGB32, or premultiplied
// ARGB32 for a picture with alpha), width and height as 32-bit words, then
// width x height 32-bit pixels, all in the byte order of the machine the
// program is built for: the build packs with a tool it has just compiled.

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace vintrel::ui {

QByteArray packPicture(const QImage& image);

// A null image for anything that is not a whole packed picture. The image
// refers to `data` without copying when its pixels are suitably aligned, so
// `data` must outlive it (resource data always does).
QImage unpackPicture(QByteArrayView data);

// The picture at a resource path. A packed picture is used as it is; any
// other image file is decoded in the ordinary way. On a screen of twice the
// density its "@2x" twin is used instead, packed or not, when there is one.
// A missing or damaged picture gives a null pixmap, never a crash.
QPixmap loadPicture(const QString& path, qreal devicePixelRatio);

}  // namespace vintrel::ui

#include "ui/common/picture.h"

#include <QFile>
#include <QResource>
#include <QtEndian>

#include <cstdint>
#include <cstring>

namespace vintrel::ui {

namespace {

constexpr char magic[4] = {'V', 'P', 'I', 'X'};
constexpr std::size_t headerSize = 16;
constexpr std::uint32_t opaque = 1, withAlpha = 2;
// Larger than any picture or icon the program ships, so a damaged header
// cannot ask for an absurd allocation.
constexpr std::uint32_t maxSide = 4096;

void putWord(QByteArray& out, std::uint32_t value)
{
    const std::uint32_t le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

std::uint32_t wordAt(const char* p)
{
    std::uint32_t value;
    std::memcpy(&value, p, sizeof value);
    return qFromLittleEndian(value);
}

}  // namespace

QByteArray packPicture(const QImage& image)
{
    if (image.isNull() || image.width() > int(maxSide) || image.height() > int(maxSide))
        return {};
    const bool alpha = image.hasAlphaChannel();
    const QImage pixels =
        image.convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    QByteArray out;
    out.reserve(qsizetype(headerSize) + qsizetype(pixels.width()) * pixels.height() * 4);
    out.append(magic, sizeof magic);
    putWord(out, alpha ? withAlpha : opaque);
    putWord(out, std::uint32_t(pixels.width()));
    putWord(out, std::uint32_t(pixels.height()));
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            putWord(out, line[x]);
    }
    return out;
}

QImage unpackPicture(QByteArrayView data)
{
    if (std::size_t(data.size()) < headerSize || std::memcmp(data.data(), magic, sizeof magic) != 0)
        return {};
    const std::uint32_t format = wordAt(data.data() + 4);
    const std::uint32_t width = wordAt(data.data() + 8);
    const std::uint32_t height = wordAt(data.data() + 12);
    if ((format != opaque && format != withAlpha) || width == 0 || height == 0 ||
        width > maxSide || height > maxSide ||
        std::uint64_t(data.size()) != headerSize + std::uint64_t(width) * height * 4)
        return {};
    const QImage::Format qtFormat =
        format == withAlpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    const auto* pixels = reinterpret_cast<const uchar*>(data.data() + headerSize);
    const QImage inPlace(pixels, int(width), int(height), int(width) * 4, qtFormat);
    if (Q_BYTE_ORDER == Q_LITTLE_ENDIAN && reinterpret_cast<std::uintptr_t>(pixels) % 4 == 0)
        return inPlace;
    QImage copy(int(width), int(height), qtFormat);
    if (copy.isNull())
        return {};
    for (std::uint32_t y = 0; y < height; ++y) {
        const char* line = data.data() + headerSize + std::size_t(y) * width * 4;
        auto* target = reinterpret_cast<QRgb*>(copy.scanLine(int(y)));
        for (std::uint32_t x = 0; x < width; ++x)
            target[x] = wordAt(line + x * 4);
    }
    return copy;
}

namespace {

QByteArrayView resourceBytes(const QResource& resource)
{
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        return {};
    return {reinterpret_cast<const char*>(resource.data()), qsizetype(resource.size())};
}

QString doubleDensityName(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype slash = path.lastIndexOf(u'/');
    if (dot <= slash)
        return path + QStringLiteral("@2x");
    return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

}  // namespace

QPixmap loadPicture(const QString& path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.0) {
        const QResource twin(doubleDensityName(path));
        const QImage image = unpackPicture(resourceBytes(twin));
        if (!image.isNull()) {
            QPixmap pixmap = QPixmap::fromImage(image);
            pixmap.setDevicePixelRatio(2.0);
            return pixmap;
        }
    }
    const QResource resource(path);
    const QImage image = unpackPicture(resourceBytes(resource));
    if (!image.isNull())
        return QPixmap::fromImage(image);
    return QPixmap(path);
}

}  // namespace vintrel::ui

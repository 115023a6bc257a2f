#include "ui/common/picture.h"

#include <QFile>
#include <QResource>

#include <cstdint>
#include <cstring>

namespace vintrel::ui {

namespace {

struct Header {
    char magic[4];
    std::uint32_t format, width, height;
};
static_assert(sizeof(Header) == 16);

constexpr char magic[4] = {'V', 'P', 'I', 'X'};
// Larger than any picture or icon the program ships, so a damaged header
// cannot ask for an absurd allocation.
constexpr std::uint32_t maxSide = 4096;

QImage packedResource(const QString& path)
{
    const QResource resource(path);
    return unpackPicture({reinterpret_cast<const char*>(resource.data()), qsizetype(resource.size())});
}

}  // namespace

QByteArray packPicture(const QImage& image)
{
    if (image.isNull() || image.width() > int(maxSide) || image.height() > int(maxSide))
        return {};
    const QImage pixels = image.convertToFormat(
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    Header header{{}, std::uint32_t(pixels.format()), std::uint32_t(pixels.width()),
                  std::uint32_t(pixels.height())};
    std::memcpy(header.magic, magic, sizeof magic);
    QByteArray out(reinterpret_cast<const char*>(&header), sizeof header);
    out.append(reinterpret_cast<const char*>(pixels.constBits()), pixels.sizeInBytes());
    return out;
}

QImage unpackPicture(QByteArrayView data)
{
    Header header;
    if (std::size_t(data.size()) < sizeof header)
        return {};
    std::memcpy(&header, data.data(), sizeof header);
    if (std::memcmp(header.magic, magic, sizeof magic) != 0 ||
        (header.format != QImage::Format_RGB32 && header.format != QImage::Format_ARGB32_Premultiplied) ||
        header.width == 0 || header.height == 0 || header.width > maxSide || header.height > maxSide ||
        std::uint64_t(data.size()) != sizeof header + std::uint64_t(header.width) * header.height * 4)
        return {};
    const auto format = QImage::Format(header.format);
    const int width = int(header.width), height = int(header.height);
    const auto* pixels = reinterpret_cast<const uchar*>(data.data() + sizeof header);
    if (reinterpret_cast<std::uintptr_t>(pixels) % 4 == 0)
        return QImage(pixels, width, height, width * 4, format);
    // The toolkit reads pixels a word at a time; pixels off a word boundary
    // would be read unaligned, so they are copied.
    QImage copy(width, height, format);
    if (!copy.isNull())
        std::memcpy(copy.bits(), pixels, std::size_t(copy.sizeInBytes()));
    return copy;
}

QPixmap loadPicture(const QString& path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.0) {
        const qsizetype dot = path.lastIndexOf(u'.');
        const QString twinPath = path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
        QImage twin = packedResource(twinPath);
        // Decoding is tried only for a twin that is there, so a packed
        // picture without one (an icon) never reaches the image readers.
        if (twin.isNull() && QFile::exists(twinPath))
            twin = QImage(twinPath);
        if (!twin.isNull()) {
            QPixmap pixmap = QPixmap::fromImage(twin);
            pixmap.setDevicePixelRatio(2.0);
            return pixmap;
        }
    }
    const QImage image = packedResource(path);
    return image.isNull() ? QPixmap(path) : QPixmap::fromImage(image);
}

}  // namespace vintrel::ui

// Build step: turns a picture file into the packed raw form the program
// shows without decoding, optionally at the size a window shows it.
//
//   vintrel-pack-picture INPUT OUTPUT [WIDTHxHEIGHT]
#include "ui/common/picture.h"

#include <QFile>
#include <QImage>

#include <cstdio>

namespace {

bool parseSize(const char* text, QSize& size)
{
    int width = 0, height = 0;
    char rest = 0;
    if (std::sscanf(text, "%dx%d%c", &width, &height, &rest) != 2 || width <= 0 || height <= 0)
        return false;
    size = QSize(width, height);
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    QSize size;
    if ((argc != 3 && argc != 4) || (argc == 4 && !parseSize(argv[3], size))) {
        std::fprintf(stderr, "usage: vintrel-pack-picture INPUT OUTPUT [WIDTHxHEIGHT]\n");
        return 2;
    }
    QImage image(QString::fromLocal8Bit(argv[1]));
    if (!image.isNull() && size.isValid()) {
        // Scaled in the pixel format the window draws from, the same way a
        // stretched picture would be scaled when the window paints.
        image = vintrel::ui::unpackPicture(vintrel::ui::packPicture(image))
                    .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    const QByteArray packed = vintrel::ui::packPicture(image);
    if (packed.isEmpty()) {
        std::fprintf(stderr, "vintrel-pack-picture: cannot read a picture from %s\n", argv[1]);
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(packed) != packed.size() || !out.flush()) {
        std::fprintf(stderr, "vintrel-pack-picture: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

// Build step: turns a picture file into the packed raw form the program
// shows without decoding.
//
//   vintrel-pack-picture INPUT OUTPUT
#include "picture.h"

#include <QFile>
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: vintrel-pack-picture INPUT OUTPUT\n");
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
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

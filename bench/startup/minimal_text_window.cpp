// A second yardstick for the start-up benchmark: the minimal window with one
// line of text in the system's default font. Set against the blank minimal
// window, it shows what drawing any text at all costs at start-up: the
// toolkit reads the system's font configuration before the first glyph.
#include "bench/startup/first_paint_probe.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vintrel::bench::installFirstPaintProbe(app, {QStringLiteral("minimal")});
    QLabel window(QStringLiteral("Freeware Calculator."));
    window.setObjectName(QStringLiteral("minimal"));
    window.resize(250, 218);
    window.show();
    return app.exec();
}

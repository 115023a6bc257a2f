// The yardstick for the start-up benchmark: the least a Qt Widgets program
// does to put one window on the screen.
#include "bench/startup/first_paint_probe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vintrel::bench::installFirstPaintProbe(app, {QStringLiteral("minimal")});
    QWidget window;
    window.setObjectName(QStringLiteral("minimal"));
    window.resize(250, 218);
    window.show();
    return app.exec();
}

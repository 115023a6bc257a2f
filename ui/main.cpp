#include "application.h"
#include "first_paint_probe.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vintrel::ui::setUpApplication(app);
    vintrel::ui::installFirstPaintProbe(app, {QStringLiteral("FrmVintrel"), QStringLiteral("frmSplash")});
    vintrel::ui::Program program;
    program.start();
    return app.exec();
}

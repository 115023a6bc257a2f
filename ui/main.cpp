#include "ui/common/first_paint_probe.h"
#include "ui/main_window/application.h"

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

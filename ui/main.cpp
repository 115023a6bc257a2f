#include "application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vintrel::ui::setUpApplication(app);
    vintrel::ui::Program program;
    program.start();
    return app.exec();
}

// The calculator as the start-up benchmark runs it: the program's own
// start-up, with a probe that reports when both first windows have painted.
#include "bench/startup/first_paint_probe.h"
#include "ui/main_window/application.h"

int main(int argc, char* argv[])
{
    return vintrel::ui::runProgram(argc, argv, [](QApplication& app) {
        vintrel::bench::installFirstPaintProbe(app, {QStringLiteral("FrmVintrel"), QStringLiteral("frmSplash")});
    });
}

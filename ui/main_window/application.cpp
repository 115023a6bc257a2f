#include "ui/main_window/application.h"

#include "platform/version.h"
#include "ui/common/forms.h"
#include "ui/common/session_bus.h"
#include "ui/aux_windows/splash_window.h"
#include "ui/common/deferred_icon_style.h"
#include "ui/common/picture.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

namespace vintrel::ui {

void setUpApplication(QApplication& app)
{
    app.setApplicationName(QStringLiteral("Vintrel"));
    app.setApplicationVersion(QString::fromStdString(platform::versionText()));
    app.setDesktopFileName(QStringLiteral(VINTREL_APP_ID));
    // The calculator window ends the program itself; hidden windows left
    // behind must not keep it alive, nor must closing a helper end it.
    app.setQuitOnLastWindowClosed(false);
    if (!loadBundledFonts())
        qWarning("Vintrel: some bundled fonts could not be loaded; using system fonts");
    // Wraps whichever style is in force, one chosen with -style included.
    app.setStyle(new DeferredIconStyle(app.style()));
    app.setFont(defaultDialogFont());
    QIcon icon;
    for (int size : {32, 48, 64, 128, 256})
        icon.addPixmap(loadPicture(QStringLiteral(":/icons/vintrel-%1.vpix").arg(size), 1.0));
    app.setWindowIcon(icon);
}

Program::Program() : main_([this] { return new FrmVintrel(forms_); }) {}

Program::~Program() = default;

namespace {

void centre(QWidget& window)
{
    if (const QScreen* screen = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

}  // namespace

void Program::start()
{
    FrmVintrel& window = main_.get();
    centre(window);
    if (frmSplash* splash = forms_.splash.loadedForm())
        centre(*splash);
    main_.Show();
    // The load routine showed the splash window before its owner was on
    // screen, so a window manager took it for a window of its own and would
    // put the calculator over it. A fresh splash window, shown now that the
    // calculator is there, is known as its transient and kept in front of
    // it. (Mapping the same window again at once races the window manager,
    // which may then drop it.) With no window manager, the window mapped
    // last lies on top anyway.
    if (frmSplash* splash = forms_.splash.loadedForm(); splash && splash->isVisible()) {
        forms_.splash.Unload();
        forms_.splash.Show();
    }
}

int runProgram(int& argc, char* argv[], void (*beforeWindows)(QApplication&))
{
    keepToTheSessionBusThatRuns();
    QApplication app(argc, argv);
    setUpApplication(app);
    if (beforeWindows)
        beforeWindows(app);
    Program program;
    program.start();
    return app.exec();
}

}  // namespace vintrel::ui

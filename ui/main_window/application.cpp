#include "ui/main_window/application.h"

#include "platform/version.h"
#include "ui/aux_windows/splash_window.h"
#include "ui/common/deferred_icon_style.h"
#include "ui/common/desktop.h"
#include "ui/common/forms.h"
#include "ui/common/picture.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <optional>
#include <utility>

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
    if (const std::optional<QFont> titleFont = titleBarFont()) {
        // The windows' widgets keep their own font.
        app.setFont(*titleFont);
        app.setFont(defaultDialogFont(), "QWidget");
    }
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

// A one-shot watch on the window, owned by it.
class FirstActivation : public QObject {
public:
    FirstActivation(QWindow& window, std::chrono::milliseconds fallback, std::function<void()> action)
        : QObject(&window), window_(window), action_(std::move(action))
    {
        fallback_.setSingleShot(true);
        fallback_.setInterval(fallback);
        connect(&fallback_, &QTimer::timeout, this, &FirstActivation::run);
        window.installEventFilter(this);
        if (window.isExposed())
            fallback_.start();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn)
            run();
        else if (event->type() == QEvent::Expose && window_.isExposed() && !fallback_.isActive())
            fallback_.start();
        return false;
    }

private:
    void run()
    {
        if (!action_)
            return;
        window_.removeEventFilter(this);
        fallback_.stop();
        deleteLater();
        std::exchange(action_, nullptr)();
    }

    QWindow& window_;
    std::function<void()> action_;
    QTimer fallback_;
};

// How long the splash waits for a compositor that never activates the
// calculator. Shown sooner, it could reach the compositor before the
// calculator has been placed, and a compositor that places a popup only
// once would leave it where the calculator was not yet.
constexpr std::chrono::milliseconds splashFallback{1000};

}  // namespace

void whenFirstActivated(QWindow& window, std::chrono::milliseconds fallback, std::function<void()> action)
{
    new FirstActivation(window, fallback, std::move(action));
}

void Program::start()
{
    FrmVintrel& window = main_.get();
    // Given before the native window exists, a position is taken for the
    // frame's, and a window manager would open the calculator a title bar
    // lower; made first, its client area is what lands in the middle.
    window.winId();
    centre(window);
    main_.Show();
    // The load routine built the splash window and left it hidden: mapped
    // before its owner, a window manager would take it for a window of its
    // own and put the calculator over it. Mapped now, it is known as the
    // calculator's transient and kept in front. With no window manager, the
    // window mapped last lies on top anyway.
    //
    // On Wayland the splash is a popup placed from the calculator's frame as
    // the compositor knows it when the popup first arrives, and some place
    // it that once: arriving before the calculator has been placed, it
    // would stay at an offset from where the calculator was not yet. A
    // compositor activates a window only once it has placed it.
    if (!forms_.splash.isLoaded())
        return;
    if (onWayland() && window.windowHandle())
        whenFirstActivated(*window.windowHandle(), splashFallback, [this] {
            if (forms_.splash.isLoaded())
                forms_.splash.Show();
        });
    else
        forms_.splash.Show();
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

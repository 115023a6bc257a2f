// A scripted session with the real program in its own event loop: every key,
// every window opened and closed, "C", then File > Exit, which must end the
// event loop. Run under valgrind by the test suite.
#include "tests/ui/gui_fixture.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

int failures = 0;

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "gui session: %s\n", what);
        ++failures;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    vintrel::testing::beforeApplication();
    QApplication app(argc, argv);
    vintrel::ui::setUpApplication(app);
    vintrel::ui::Program program;
    program.start();

    // Fault messages are answered at once.
    QTimer dialogs;
    QObject::connect(&dialogs, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    dialogs.start(5);

    QTimer::singleShot(0, [&] {
        auto& main = program.main().get();
        auto click = [&](const char* name) {
            auto* key = main.findChild<QPushButton*>(QString::fromLatin1(name));
            check(key != nullptr, name);
            if (key)
                QTest::mouseClick(key, Qt::LeftButton);
        };
        for (const char* key :
             {"CmdOne", "CmdTwo", "CmdThree", "cmdAdd", "CmdFour", "CmdFive", "CmdSix",
              "CmdEquals", "cmdSubtract", "CmdSeven", "CmdEight", "CmdNine", "CmdEquals",
              "cmdMultiply", "CmdZero", "CmdDot", "CmdFive", "CmdEquals", "cmdDivide", "CmdZero",
              "CmdEquals", "CmdSqr", "CmdEquals", "CmdSqrt", "CmdEquals", "CmdPercent", "CmdTwo",
              "CmdEquals", "CmdPy", "CmdMem", "cmdMrc", "CmdMemC", "cmdexp1", "CmdCancel"})
            click(key);
        QTest::keyClicks(main.findChild<QLineEdit*>(QStringLiteral("TxtDisplay")),
                         QStringLiteral("1e999"));
        click("cmdAdd");

        auto& forms = program.forms();
        main.findChild<QAction*>(QStringLiteral("MnuAbout"))->trigger();
        QTest::mouseClick(forms.about.get().controls().get<QPushButton>(QStringLiteral("cmdOK")),
                          Qt::LeftButton);
        main.findChild<QAction*>(QStringLiteral("MnuAbout"))->trigger();
        forms.about.get().close();
        forms.help.get().close();
        forms.splash.Show();
        QTest::keyClick(&forms.splash.get(), Qt::Key_Escape);
        click("CmdCancel");
        click("cmdexp1");
        main.findChild<QAction*>(QStringLiteral("MnuAbout"))->trigger();
        check(forms.splash.isLoaded() && forms.help.isLoaded() && forms.about.isLoaded(),
              "windows not loaded before Exit");
        main.findChild<QAction*>(QStringLiteral("MnuExit"))->trigger();
    });

    // If Exit does not end the loop, this does, and the session fails.
    QTimer::singleShot(60000, [] {
        check(false, "File > Exit did not end the event loop");
        QCoreApplication::exit(3);
    });
    const int status = app.exec();
    check(!program.main().isLoaded(), "the calculator window survived Exit");
    std::printf("gui session: %s\n", failures == 0 && status == 0 ? "passed" : "FAILED");
    return failures == 0 ? status : 1;
}

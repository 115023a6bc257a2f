#pragma once

// Shared by the window tests: starts the program's windows offscreen, finds
// controls by their object names, and watches for modal dialogs so that an
// unexpected one fails the test instead of hanging it.

#include "ui/aux_windows/about_window.h"
#include "ui/aux_windows/help_window.h"
#include "ui/aux_windows/splash_window.h"
#include "ui/common/desktop.h"
#include "ui/main_window/application.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace vintrel::testing {

class ModalWatchdog : public QObject {
public:
    ModalWatchdog()
    {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

    // The next modal dialog is expected: it is handed to `answer`, then closed.
    void expect(std::function<void(QWidget*)> answer) { answer_ = std::move(answer); }

    // Every dialog is expected (random sessions run into faults); polls fast
    // so that each one costs little.
    void expectAll(std::function<void(QWidget*)> answer)
    {
        answerAll_ = std::move(answer);
        timer_.setInterval(1);
    }

    QStringList unexpected;
    int answered = 0;

    // Every dialog no test asked for; each test class checks it in cleanup().
    static QStringList& unexpectedInAnyTest()
    {
        static QStringList all;
        return all;
    }
    static void verifyNoneUnexpected()
    {
        const QStringList seen = std::exchange(unexpectedInAnyTest(), {});
        QVERIFY2(seen.isEmpty(), qPrintable("unexpected modal dialog: " + seen.join("; ")));
    }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (answerAll_) {
            answerAll_(modal);
            ++answered;
        } else if (answer_) {
            auto answer = std::exchange(answer_, nullptr);
            answer(modal);
            ++answered;
        } else {
            QString text = modal->windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                text += QStringLiteral(": ") + box->text();
            unexpected << text;
            unexpectedInAnyTest() << text;
        }
        modal->close();
    }

    QTimer timer_;
    std::function<void(QWidget*)> answer_;
    std::function<void(QWidget*)> answerAll_;
};

class Gui {
public:
    Gui() : program(std::make_unique<ui::Program>()) { program->start(); }

    ui::FrmVintrel& main() { return program->main().get(); }
    ui::AuxForms& forms() { return program->forms(); }

    template <typename T = QWidget>
    T* control(const char* name)
    {
        return main().findChild<T*>(QString::fromLatin1(name));
    }

    void click(const char* name)
    {
        auto* button = control<QPushButton>(name);
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Keys by caption, separated by blanks, as the help window writes them.
    void press(const QString& keys)
    {
        for (const QString& caption : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const engine::Key* key = engine::keyByCaption(caption.toStdString());
            QVERIFY2(key, qPrintable(caption));
            click(key->objectName);
        }
    }

    // The text a person sees: that of whichever entry field is shown.
    QString shown()
    {
        auto* first = control<QLineEdit>("TxtDisplay");
        auto* second = control<QLineEdit>("txtdisplay2");
        if (first->isVisible() == second->isVisible())
            return QStringLiteral("<%1 fields visible>").arg(first->isVisible() ? 2 : 0);
        return first->isVisible() ? first->text() : second->text();
    }

    static void processDeferredDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    ModalWatchdog watchdog;
    std::unique_ptr<ui::Program> program;
};

// What a window test does before its application object exists: it keeps
// to the session bus that runs, as the program does, and it stays off the
// screen unless QT_QPA_PLATFORM names a platform, so that a test run by
// hand opens no real windows.
inline void beforeApplication()
{
    ui::keepToTheSessionBusThatRuns();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

inline void initApplication(QApplication& app) { ui::setUpApplication(app); }

}  // namespace vintrel::testing

// A QTest main that sets the application up as the program does.
#define VINTREL_GUI_TEST_MAIN(TestClass)                                                  \
    int main(int argc, char** argv)                                                      \
    {                                                                                    \
        vintrel::testing::beforeApplication();                                           \
        QApplication app(argc, argv);                                                    \
        vintrel::testing::initApplication(app);                                          \
        TestClass test;                                                                  \
        return QTest::qExec(&test, argc, argv);                                          \
    }

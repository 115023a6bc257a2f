// A long random session through the real calculator window: clicks on every
// key and typing into the visible field. It must not crash, every fault must
// come as a message, and memory must stay flat.
#include "tests/ui/gui_fixture.h"

#include <QPixmapCache>
#include <QRandomGenerator>

#include <cmath>
#include <fstream>
#include <vector>

#include <unistd.h>

using vintrel::testing::Gui;

namespace {

long residentKilobytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Every key, with "=" three times as likely: it is disabled so often that
// sessions would otherwise rarely finish a calculation.
std::vector<const char*> clickedKeys()
{
    std::vector<const char*> keys;
    for (const vintrel::engine::Key& key : vintrel::engine::keyTable)
        keys.insert(keys.end(), key.operation == &vintrel::engine::Calculator::CmdEquals_Click ? 3 : 1,
                    key.objectName);
    return keys;
}

const char* const typed[] = {"7", "12", ".5", "-3", "1e3", "9e99", "1e999", "abc", " 4", "+",
                             "=", "0.000001", "-0", "e", "1,5"};

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { vintrel::testing::ModalWatchdog::verifyNoneUnexpected(); }

    void hundredThousandActionsLeaveMemoryFlat()
    {
        const int actions = qEnvironmentVariableIntValue("VINTREL_SOAK_ACTIONS") > 0
                                ? qEnvironmentVariableIntValue("VINTREL_SOAK_ACTIONS")
                                : 100000;
        // Qt 6.8 keeps each message box's icon in the pixmap cache under a
        // key of its own, which fills up to the cache's limit: bounded, but
        // megabytes. Without the cache, growth is the program's own.
        QPixmapCache::setCacheLimit(0);
        Gui gui;
        QStringList faults;
        gui.watchdog.expectAll([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                faults << box->text();
        });
        const std::vector<const char*> keys = clickedKeys();
        QRandomGenerator random(20261031);
        long afterWarmUp = 0;
        for (int i = 0; i < actions; ++i) {
            if (i == actions / 5) {
                QCoreApplication::processEvents();
                afterWarmUp = residentKilobytes();
            }
            if (random.bounded(8) == 0) {
                auto* first = gui.control<QLineEdit>("TxtDisplay");
                auto* field = first->isVisible() ? first : gui.control<QLineEdit>("txtdisplay2");
                QTest::keyClicks(field, QString::fromUtf8(typed[random.bounded(int(std::size(typed)))]));
            } else {
                auto* key = gui.control<QPushButton>(keys[random.bounded(int(keys.size()))]);
                if (key->isEnabled())
                    QTest::mouseClick(key, Qt::LeftButton);
            }
            const auto& s = gui.main().calculator().state();
            QVERIFY(s.txtDisplayVisible != s.txtdisplay2Visible);
            QVERIFY(std::isfinite(s.pendingValue) && std::isfinite(s.memoryValue));
            QCOMPARE(gui.control("TxtDisplay")->isVisible(), s.txtDisplayVisible);
        }
        QCoreApplication::processEvents();
        const long atEnd = residentKilobytes();
        qInfo("%d actions, %lld fault messages, resident %ld kB after warm-up, %ld kB at the end",
              actions, static_cast<long long>(faults.size()), afterWarmUp, atEnd);
        QVERIFY2(atEnd - afterWarmUp < 4096, "resident memory grew by 4 MB or more");
        for (const QString& fault : faults)
            QVERIFY2(fault == "Division by zero" || fault == "Overflow" || fault == "Invalid operation",
                     qPrintable(fault));
    }
};

VINTREL_GUI_TEST_MAIN(SoakTest)
#include "tst_soak.moc"

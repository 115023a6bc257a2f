#include "first_paint_probe.h"

#include <QApplication>
#include <QEvent>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace vintrel::ui {

namespace {

class FirstPaintProbe : public QObject {
public:
    FirstPaintProbe(QObject* parent, const QStringList& names)
        : QObject(parent), waiting_(names.begin(), names.end())
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() && waiting_.remove(watched->objectName()) &&
            waiting_.isEmpty()) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("first-paint-ns %lld\n",
                        static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    QSet<QString> waiting_;
};

}  // namespace

void installFirstPaintProbe(QApplication& app, const QStringList& windowNames)
{
    if (qEnvironmentVariableIsEmpty("VINTREL_FIRST_PAINT_PROBE"))
        return;
    app.installEventFilter(new FirstPaintProbe(&app, windowNames));
}

}  // namespace vintrel::ui

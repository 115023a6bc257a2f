#include "bench/startup/first_paint_probe.h"

#include <QApplication>
#include <QEvent>
#include <QSet>
#include <QMetaObject>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace vintrel::bench {

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
        // The filter sees a window's paint event before the window and its
        // children have painted; the stamp waits until that whole paint,
        // and the flush that follows it, is done.
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() && waiting_.remove(watched->objectName()) &&
            waiting_.isEmpty())
            QMetaObject::invokeMethod(this, &FirstPaintProbe::report, Qt::QueuedConnection);
        return false;
    }

private:
    static void report()
    {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("first-paint-ns %lld\n",
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    QSet<QString> waiting_;
};

}  // namespace

void installFirstPaintProbe(QApplication& app, const QStringList& windowNames)
{
    app.installEventFilter(new FirstPaintProbe(&app, windowNames));
}

}  // namespace vintrel::bench

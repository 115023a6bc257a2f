#pragma once

#include <QStringList>

class QApplication;

namespace vintrel::ui {

// For the start-up benchmark: when the environment variable
// VINTREL_FIRST_PAINT_PROBE is set, the program prints the monotonic clock
// at the moment every named window has painted for the first time
// ("first-paint-ns N") and then quits. Without the variable it does nothing.
void installFirstPaintProbe(QApplication& app, const QStringList& windowNames);

}  // namespace vintrel::ui

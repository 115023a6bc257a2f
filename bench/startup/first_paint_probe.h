#pragma once

#include <QStringList>

class QApplication;

namespace vintrel::bench {

// Prints std::chrono::steady_clock at the moment every named window has
// painted for the first time ("first-paint-ns N"), then quits the program.
// Only the start-up benchmark's programs install it; the calculator itself
// never does.
void installFirstPaintProbe(QApplication& app, const QStringList& windowNames);

}  // namespace vintrel::bench

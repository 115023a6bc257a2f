#include "ui/common/session_bus.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>

namespace vintrel::ui {

void keepToTheSessionBusThatRuns()
{
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        return;
    // The D-Bus library finds a bus here by itself.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")))
        return;
    // Otherwise the library would launch a bus daemon for the display: it
    // outlives the program, and it writes its address under $HOME. An
    // address of a kind no transport serves makes connecting fail at once.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

}  // namespace vintrel::ui

#include "ui/common/desktop.h"

#include <QByteArray>
#include <QFileInfo>
#include <QGuiApplication>
#include <QString>

namespace vintrel::ui {

bool onWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

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

std::optional<QFont> titleBarFont()
{
    // Qt's own Wayland title bar draws the title in the application's font
    // at 14 pixels, centred on the window and cut at its buttons: on this
    // narrow window only the narrow face leaves room for the whole title.
    // An X window manager draws titles in a font of its own.
    if (!onWayland())
        return std::nullopt;
    QFont font(QStringLiteral("Liberation Sans Narrow"));
    font.setPixelSize(14);
    return font;
}

}  // namespace vintrel::ui

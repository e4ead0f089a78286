#include "shell/screensaver.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>

namespace shell {

void SystemScreenSaver::activate()
{
    static const QString service = QStringLiteral("org.freedesktop.ScreenSaver");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(service).value()) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            service, QStringLiteral("/org/freedesktop/ScreenSaver"), service, QStringLiteral("SetActive"));
        call << true;
        // Fire and forget: the answer (or its absence) changes nothing.
        bus.call(call, QDBus::NoBlock);
        return;
    }
    QProcess::startDetached(QStringLiteral("xdg-screensaver"), {QStringLiteral("activate")});
}

} // namespace shell

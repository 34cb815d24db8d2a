#include "servicenotifier.h"

#include <QtGlobal>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

ServiceNotifier::ServiceNotifier(QObject *parent)
    : QObject(parent)
    , m_address(qgetenv("NOTIFY_SOCKET"))
{
    const qint64 watchdogUsec = qgetenv("WATCHDOG_USEC").toLongLong();
    const QByteArray watchdogPid = qgetenv("WATCHDOG_PID");
    // The web engine's processes inherit the environment; only this one speaks for the service.
    qunsetenv("NOTIFY_SOCKET");
    qunsetenv("WATCHDOG_USEC");
    qunsetenv("WATCHDOG_PID");

    sockaddr_un probe{};
    if (m_address.isEmpty() || size_t(m_address.size()) >= sizeof(probe.sun_path)
        || (m_address.at(0) != '/' && m_address.at(0) != '@'))
        return;
    m_socket = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (m_socket < 0)
        return;

    const bool forUs = watchdogPid.isEmpty() || watchdogPid.toLongLong() == getpid();
    if (watchdogUsec > 0 && forUs) {
        // A quarter of the bound: a turn of the event loop that is late by most of it still
        // keeps the service alive, one that never comes does not.
        m_watchdog.setInterval(int(qBound<qint64>(1, watchdogUsec / 4000, 3600 * 1000)));
        connect(&m_watchdog, &QTimer::timeout, this, [this] { send("WATCHDOG=1"); });
        m_watchdog.start();
    }
}

ServiceNotifier::~ServiceNotifier()
{
    if (m_socket >= 0)
        close(m_socket);
}

void ServiceNotifier::notifyReady()
{
    send("READY=1\nWATCHDOG=1");
}

void ServiceNotifier::send(const char *state)
{
    if (m_socket < 0)
        return;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, m_address.constData(), size_t(m_address.size()));
    // An address starting with '@' is in the abstract namespace.
    if (address.sun_path[0] == '@')
        address.sun_path[0] = '\0';
    const socklen_t length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(m_address.size()));
    // Best effort: a manager that is gone or busy must not stop the display.
    (void)::sendto(m_socket, state, std::strlen(state), MSG_NOSIGNAL | MSG_DONTWAIT,
                   reinterpret_cast<const sockaddr *>(&address), length);
}

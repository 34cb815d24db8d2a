#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

// Tells the service manager that the display is up and that its main thread still turns (the
// notification protocol on $NOTIFY_SOCKET: READY=1, then WATCHDOG=1 while the event loop runs).
// Without the variables (a desktop or test run) it does nothing.
class ServiceNotifier : public QObject
{
public:
    explicit ServiceNotifier(QObject *parent = nullptr);
    ~ServiceNotifier() override;

    // Once the main document is loaded.
    void notifyReady();

private:
    void send(const char *state);

    QByteArray m_address;
    int m_socket = -1;
    QTimer m_watchdog;
};

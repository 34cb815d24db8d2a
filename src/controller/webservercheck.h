#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <QUrl>

// The availability check for the UI, which must never wait for it: the same HEAD request and time
// limit as Controller::checkControllerAvailable(), made on a thread of its own, its answer
// delivered by a signal. The controller is named by its address as the user chose it, an IPv4
// address optionally followed by a colon and a port.
class WebServerCheck : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString address READ address WRITE setAddress NOTIFY addressChanged)
    Q_PROPERTY(bool running READ isRunning NOTIFY runningChanged)

public:
    explicit WebServerCheck(QObject *parent = nullptr);
    ~WebServerCheck() override;

    // As "WebServerCheck" in the import "ControllerSelect 1.0".
    static void registerType();

    QString address() const;
    void setAddress(const QString &address);
    bool isRunning() const;

    // Whether a page at this URL comes from the address's web server: the same host, and the
    // same port where the address names one.
    Q_INVOKABLE bool serves(const QUrl &page) const;
    // Starts a check of the address unless one is running; finished() tells the answer. An
    // answer for an address that has changed meanwhile is dropped.
    Q_INVOKABLE void start();

signals:
    void addressChanged();
    void runningChanged();
    void finished(bool available);

private:
    void answered(quint64 check, bool available);

    QString m_address;
    QThread m_thread;
    QObject *m_worker = nullptr;
    quint64 m_check = 0;
    bool m_running = false;
};

#pragma once

#include "availabilitychecker.h"

#include <QObject>
#include <QString>
#include <QThread>
#include <QUdpSocket>

class QHostAddress;
class QSettings;

// The one service through which the UI reaches the automation controllers: the stored choice
// of controller, the display time-out, discovery, the availability check and blink.
class Controller : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString lastController READ lastController WRITE setLastController NOTIFY
                   lastControllerChanged)
    Q_PROPERTY(
        int displayTimeout READ displayTimeout WRITE setDisplayTimeout NOTIFY displayTimeoutChanged)

public:
    static constexpr quint16 Port = 26487;

    static Controller *instance();

    explicit Controller(QObject *parent = nullptr);
    // Test seam: the same object on other files than the display's own /config.
    Controller(const QString &lastControllerPath, const QString &settingsPath,
               QObject *parent = nullptr);
    ~Controller() override;

    QString lastController() const;
    void setLastController(const QString &value);

    int displayTimeout() const;
    void setDisplayTimeout(int value);


    // The text by which a discovered controller is listed: dotted IPv4, 0.0.0.0 when the
    // sender has no IPv4 form.
    static QString addressText(const QHostAddress &sender);


signals:
    void lastControllerChanged(const QString &lastController);
    void displayTimeoutChanged(int displayTimeout);

public slots:
    void discoverControllers();
    void blinkController(const QString &ethMacAddress);

public:
    Q_INVOKABLE bool checkLastControllerAvailable();

    // Whether the web server of the controller at this address answers within about 3 s.
    // Blocks the calling thread in a local event loop; usable from any thread. Invokable so
    // that the UI can try a stored controller again after it was cleared; declared after the
    // other invokable so the published method indices stay as they were.
    Q_INVOKABLE static bool checkControllerAvailable(const QString &address);

private:
    void readPendingDatagrams();
    void readLastControllerFile();
    void listConfirmed(quint64 search, const AvailabilityChecker::Records &records);

    QUdpSocket m_socket;
    QString m_lastController;
    QSettings *m_settings = nullptr;
    QString m_lastControllerPath;
    // Each search gets a number, so that a check from an earlier one never lands in a later one.
    quint64 m_search = 1;
    QThread m_checkThread;
    AvailabilityChecker *m_checker = nullptr;
};

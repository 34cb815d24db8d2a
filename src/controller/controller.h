#pragma once

#include "availabilitychecker.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>
#include <array>

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
    // When a search sends its request again, after the first one at its start. A datagram lost
    // on Wi-Fi or a full switch queue is lost in a burst more often than alone, so the gaps
    // double; the first comes soon, so one lost request costs a quarter of a second; the last
    // leaves before the 5 s a search lasts anyway, so a search takes no longer for them.
    static constexpr std::array<int, 4> DiscoveryRepeatsMs{{250, 750, 1750, 3750}};

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
    void sendDiscovery();
    void repeatDiscovery();
    void endSearch();
    void listConfirmed(quint64 search, const AvailabilityChecker::Records &records);
    void checksSettled(quint64 search, quint64 batches);

    QUdpSocket m_socket;
    QString m_lastController;
    QSettings *m_settings = nullptr;
    QString m_lastControllerPath;
    // Each search gets a number, so that a check from an earlier one never lands in a later one.
    quint64 m_search = 1;
    // Replies count only while a search runs; outside one they are read and dropped unchecked.
    bool m_searching = false;
    // Batches of replies handed to the checker in this search; the search waits for their checks.
    quint64 m_batches = 0;
    QTimer m_repeatTimer;
    QElapsedTimer m_searchClock;
    std::size_t m_repeats = 0;
    QThread m_checkThread;
    AvailabilityChecker *m_checker = nullptr;
};

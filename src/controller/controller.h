#pragma once

#include <QObject>
#include <QString>
#include <QUdpSocket>

class ControllerSearch;
class QSettings;

// The one service through which the UI reaches the automation controllers: the stored choice
// of controller, the display time-out, the socket with discovery and blink, and the
// availability check. A search's course is its ControllerSearch's.
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

    // The searches whose requests go out through this object's socket, and whose replies it reads.
    ControllerSearch *search() const;

signals:
    void lastControllerChanged(const QString &lastController);
    void displayTimeoutChanged(int displayTimeout);

public slots:
    // Starts a search unless one runs.
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

    QUdpSocket m_socket;
    QString m_lastController;
    QSettings *m_settings = nullptr;
    QString m_lastControllerPath;
    ControllerSearch *m_search = nullptr;
};

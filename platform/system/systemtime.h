#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QJSEngine;

// The system clock's time zone. timezoneChanged fires when it changes, whether through
// setTimezone (the stand-in's way to change it, for this process only) or from outside
// (TZ, /etc/localtime), which is polled.
class SystemTime : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString timezone READ timezone WRITE setTimezone NOTIFY timezoneChanged)

public:
    explicit SystemTime(QJSEngine *engine, QObject *parent = nullptr);

    QString timezone() const { return m_timezone; }
    // An IANA name such as "Europe/Berlin"; affects this process only.
    void setTimezone(const QString &timezone);

signals:
    void timezoneChanged(const QString &timezone);

private:
    static QString currentZone();
    void check();

    QPointer<QJSEngine> m_engine;
    QString m_timezone;
    QTimer m_poll;
    QFileSystemWatcher m_watcher;
};

#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QJSEngine;

// The system clock's time zone. timezoneChanged fires when it changes (TZ, /etc/localtime),
// which is polled; that signal is all the board's platform offers. A test or demo changes the
// zone from outside, as a system tool would: ZEL_TIMEZONE_FILE names a file holding one zone
// name (for example "Asia/Tokyo"), taken for this process only.
class SystemTime : public QObject
{
    Q_OBJECT

public:
    explicit SystemTime(QJSEngine *engine, QObject *parent = nullptr);

signals:
    void timezoneChanged(const QString &timezone);

private:
    static QString currentZone();
    void applyZoneFile();
    void check();

    QPointer<QJSEngine> m_engine;
    QString m_zoneFile;
    QString m_timezone;
    QTimer m_poll;
    QFileSystemWatcher m_watcher;
};

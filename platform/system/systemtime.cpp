#include "systemtime.h"

#include <QFile>
#include <QFileInfo>
#include <QJSEngine>
#include <QTimeZone>
#include <time.h>

SystemTime::SystemTime(QJSEngine *engine, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_zoneFile(qEnvironmentVariable("ZEL_TIMEZONE_FILE"))
{
    applyZoneFile();
    m_timezone = currentZone();
    m_poll.setInterval(2000);
    connect(&m_poll, &QTimer::timeout, this, &SystemTime::check);
    m_poll.start();
    for (const QString &path :
         {QStringLiteral("/etc/localtime"), QStringLiteral("/etc/timezone"), m_zoneFile}) {
        if (!path.isEmpty() && QFileInfo::exists(path))
            m_watcher.addPath(path);
    }
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &SystemTime::check);
}

QString SystemTime::currentZone()
{
    tzset();
    return QString::fromUtf8(QTimeZone::systemTimeZoneId());
}

void SystemTime::applyZoneFile()
{
    if (m_zoneFile.isEmpty())
        return;
    QFile file(m_zoneFile);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray zone = file.read(256).trimmed();
    if (!zone.isEmpty() && QTimeZone(zone).isValid())
        qputenv("TZ", zone);
}

void SystemTime::check()
{
    // A file replaced rather than rewritten drops out of the watcher.
    if (!m_zoneFile.isEmpty() && !m_watcher.files().contains(m_zoneFile) &&
        QFileInfo::exists(m_zoneFile))
        m_watcher.addPath(m_zoneFile);
    applyZoneFile();
    const QString zone = currentZone();
    if (zone == m_timezone)
        return;
    m_timezone = zone;
    // The script engine keeps its own idea of local time; tell it before anyone re-renders.
    if (m_engine)
        m_engine->evaluate(QStringLiteral("Date.timeZoneUpdated()"));
    emit timezoneChanged(m_timezone);
}

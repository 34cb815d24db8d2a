#include "systemtime.h"

#include <QFileInfo>
#include <QJSEngine>
#include <QTimeZone>
#include <time.h>

SystemTime::SystemTime(QJSEngine *engine, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_timezone(currentZone())
{
    m_poll.setInterval(2000);
    connect(&m_poll, &QTimer::timeout, this, &SystemTime::check);
    m_poll.start();
    for (const char *path : {"/etc/localtime", "/etc/timezone"}) {
        if (QFileInfo::exists(QLatin1String(path)))
            m_watcher.addPath(QLatin1String(path));
    }
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &SystemTime::check);
}

void SystemTime::setTimezone(const QString &timezone)
{
    if (timezone.isEmpty() || !QTimeZone(timezone.toUtf8()).isValid())
        return;
    qputenv("TZ", timezone.toUtf8());
    check();
}

QString SystemTime::currentZone()
{
    tzset();
    return QString::fromUtf8(QTimeZone::systemTimeZoneId());
}

void SystemTime::check()
{
    const QString zone = currentZone();
    if (zone == m_timezone)
        return;
    m_timezone = zone;
    // The script engine keeps its own idea of local time; tell it before anyone re-renders.
    if (m_engine)
        m_engine->evaluate(QStringLiteral("Date.timeZoneUpdated()"));
    emit timezoneChanged(m_timezone);
}

#include "networkstatefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QLoggingCategory>
#include <QSaveFile>

Q_LOGGING_CATEGORY(lcNetworkFile, "zel.network.file")

NetworkStateFile::NetworkStateFile(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(QFileInfo(path).absoluteFilePath())
{
    // Editors and scripts often write in several steps; read once things have settled.
    m_settle.setSingleShot(true);
    m_settle.setInterval(50);
    connect(&m_settle, &QTimer::timeout, this, &NetworkStateFile::checkForChange);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle,
            qOverload<>(&QTimer::start));
    watch();
}

bool NetworkStateFile::load(QJsonObject *obj, QString *error)
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray content = file.readAll();
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(content, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        if (error)
            *error = parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                  : QStringLiteral("not an object");
        return false;
    }
    m_lastContent = content;
    *obj = doc.object();
    return true;
}

bool NetworkStateFile::save(const QJsonObject &obj)
{
    const QByteArray content = QJsonDocument(obj).toJson(QJsonDocument::Indented);
    if (content == m_lastContent && QFileInfo::exists(m_path))
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.commit()) {
        qCWarning(lcNetworkFile) << "cannot write" << m_path << file.errorString();
        return false;
    }
    m_lastContent = content;
    watch(); // an atomic replace is a new file: watch it again
    return true;
}

void NetworkStateFile::watch()
{
    const QString dir = QFileInfo(m_path).absolutePath();
    if (QFileInfo::exists(dir) && !m_watcher.directories().contains(dir))
        m_watcher.addPath(dir);
    if (QFileInfo::exists(m_path) && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
}

void NetworkStateFile::checkForChange()
{
    watch();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return; // removed: keep the state we have; the next change writes it again
    const QByteArray content = file.readAll();
    if (content == m_lastContent)
        return;
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(content, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        // Probably half written; the rest of the write will bring another change.
        qCWarning(lcNetworkFile) << m_path << "ignored:" << parseError.errorString();
        return;
    }
    m_lastContent = content;
    emit externallyChanged(doc.object());
}

#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QTimer>

// The JSON file that holds the simulated network. Writes are atomic; edits made by anyone else
// while running are reported through externallyChanged (our own writes are not).
class NetworkStateFile : public QObject
{
    Q_OBJECT

public:
    explicit NetworkStateFile(const QString &path, QObject *parent = nullptr);

    QString path() const { return m_path; }
    // Reads the file; false (and obj untouched) when it is missing or not a JSON object.
    bool load(QJsonObject *obj, QString *error = nullptr);
    bool save(const QJsonObject &obj);
    // Reports an outside edit now if there is one the watcher has not told of yet, so that a
    // change made from a stale state never writes over it.
    void pickUpChange() { checkForChange(); }

signals:
    void externallyChanged(const QJsonObject &state);

private:
    void watch();
    void checkForChange();

    QString m_path;
    QByteArray m_lastContent;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};

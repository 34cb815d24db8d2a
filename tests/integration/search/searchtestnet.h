#pragma once

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <memory>

// Helpers for tests and benchmarks that run on the display side of scripts/testnet.sh.
namespace SearchTestNet {

// Empty when this process is inside the private network the script builds; otherwise why not.
// Anything that broadcasts must refuse to run unless this is empty.
QString refusalReason();

// Runs a command inside the lan namespace (through $CS_LAN_EXEC) and waits for it.
bool runOnLan(const QStringList &command);
// Runs a command here, on the display side, and waits for it.
bool runHere(const QStringList &command);

// The stand-in controllers, started on the lan side with a JSON configuration.
class Simulator
{
public:
    Simulator();
    ~Simulator();

    // Extra options go after the configuration (e.g. --flood N).
    bool start(const QByteArray &configJson, const QStringList &extraArgs = {});
    void stop();

    // Every log line so far, in order.
    QVector<QJsonObject> log() const;
    int logSize() const { return log().size(); }
    QString errorOutput() const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_process;
};

// Entries of `kind` from `from` onwards, optionally only those whose `field` equals `value`.
QVector<QJsonObject> entries(const QVector<QJsonObject> &log, const QString &kind, int from = 0,
                             const QString &field = {}, const QString &value = {});

// Resident set size of this process in kB, from /proc.
qint64 residentKb();

} // namespace SearchTestNet

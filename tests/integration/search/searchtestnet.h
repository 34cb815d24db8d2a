#pragma once

#include <QElapsedTimer>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QVector>
#include <atomic>
#include <functional>
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

// One stand-in controller of a JSON configuration, named and numbered by `name`.
QJsonObject controllerAt(const QString &ip, const QString &name, const QString &behaviour = {});

// Runs the event loop until `done` holds; false when `timeoutMs` passed first.
bool waitFor(const std::function<bool()> &done, int timeoutMs);

// Entries of `kind` from `from` onwards, optionally only those whose `field` equals `value`.
QVector<QJsonObject> entries(const QVector<QJsonObject> &log, const QString &kind, int from = 0,
                             const QString &field = {}, const QString &value = {});

// Resident set size of this process in kB, from /proc/self/status ("VmRSS:", or another
// field such as "RssAnon:").
qint64 residentKb(const char *field = "VmRSS:");

// Follows the resident size from a thread of its own, so a busy main thread cannot hide a peak.
class RssSampler
{
public:
    ~RssSampler();
    void start();
    void stop();
    qint64 peakKb() const { return m_peak; }
    qint64 peakAnonKb() const { return m_peakAnon; }

private:
    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<qint64> m_peak{0};
    std::atomic<qint64> m_peakAnon{0};
};

// Worst lateness of a 10 ms timer on the calling (main) thread: how long events waited.
class LatencyProbe
{
public:
    LatencyProbe();
    void start();
    qint64 stop();

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_worst = 0;
};

} // namespace SearchTestNet

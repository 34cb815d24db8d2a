#include "searchtestnet.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QNetworkInterface>
#include <QProcessEnvironment>
#include <QThread>
#include <sys/resource.h>

namespace SearchTestNet {

namespace {

QStringList lanExecPrefix()
{
    return qEnvironmentVariable("CS_LAN_EXEC").split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString simulatorPath()
{
    const QString source = qEnvironmentVariable("CS_SOURCE_DIR");
    return QDir(source).filePath(QStringLiteral("tools/controller-sim/controller-sim"));
}

bool runAndWait(QStringList command)
{
    if (command.isEmpty())
        return false;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QString program = command.takeFirst();
    process.start(program, command);
    return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

QString hardDescriptorLimit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_max == RLIM_INFINITY)
        return QStringLiteral("unlimited");
    return QString::number(limit.rlim_max);
}

} // namespace

QString refusalReason()
{
    if (qEnvironmentVariable("CS_LAN_EXEC").isEmpty())
        return QStringLiteral("not run by scripts/testnet.sh (no CS_LAN_EXEC)");
    // Only the loopback and the private veth ends the script and the tests make.
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const QString name = interface.name();
        if (name != QLatin1String("lo") && !name.startsWith(QLatin1String("cs")))
            return QStringLiteral("interface %1 is not part of the private network").arg(name);
    }
    return {};
}

bool runOnLan(const QStringList &command)
{
    const QStringList prefix = lanExecPrefix();
    if (prefix.isEmpty())
        return false;
    return runAndWait(prefix + command);
}

bool runHere(const QStringList &command)
{
    return runAndWait(command);
}

Simulator::Simulator() = default;

Simulator::~Simulator()
{
    stop();
}

bool Simulator::start(const QByteArray &configJson, const QStringList &extraArgs)
{
    stop();
    if (!m_dir.isValid())
        return false;
    const QString config = m_dir.filePath(QStringLiteral("controllers.json"));
    const QString ready = m_dir.filePath(QStringLiteral("ready"));
    const QString logFile = m_dir.filePath(QStringLiteral("sim.log"));
    QFile::remove(ready);
    QFile::remove(logFile);
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(configJson) != configJson.size())
        return false;
    file.close();

    QStringList command = lanExecPrefix();
    if (command.isEmpty())
        return false;
    // Hundreds of web servers and their open connections need more descriptors than a test may
    // leave itself: the stand-in takes all it may have.
    command << QStringLiteral("prlimit") << QStringLiteral("--nofile=%1").arg(hardDescriptorLimit())
            << QStringLiteral("--") << simulatorPath() << QStringLiteral("--config") << config
            << QStringLiteral("--log") << logFile << QStringLiteral("--ready-file") << ready
            << QStringLiteral("--quiet") << extraArgs;

    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    const QString program = command.takeFirst();
    m_process->start(program, command);
    if (!m_process->waitForStarted(5000))
        return false;

    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo::exists(ready)) {
        if (m_process->state() != QProcess::Running || clock.elapsed() > 15000)
            return false;
        QThread::msleep(20);
    }
    return true;
}

void Simulator::stop()
{
    if (!m_process)
        return;
    if (m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(3000)) {
            m_process->kill();
            m_process->waitForFinished(3000);
        }
    }
    m_process.reset();
}

QVector<QJsonObject> Simulator::log() const
{
    QVector<QJsonObject> lines;
    QFile file(m_dir.filePath(QStringLiteral("sim.log")));
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    const QList<QByteArray> raw = file.readAll().split('\n');
    for (const QByteArray &line : raw) {
        const QJsonDocument doc = QJsonDocument::fromJson(line);
        if (doc.isObject())
            lines << doc.object();
    }
    return lines;
}

QString Simulator::errorOutput() const
{
    return m_process ? QString::fromLocal8Bit(m_process->readAllStandardError()) : QString();
}

QJsonObject controllerAt(const QString &ip, const QString &name, const QString &behaviour)
{
    QJsonObject c{{QStringLiteral("ip"), ip},
                  {QStringLiteral("name"), name},
                  {QStringLiteral("model"), 3},
                  {QStringLiteral("serial"), name}};
    if (!behaviour.isEmpty())
        c.insert(QStringLiteral("behaviour"), behaviour);
    return c;
}

bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}

QVector<QJsonObject> entries(const QVector<QJsonObject> &log, const QString &kind, int from,
                             const QString &field, const QString &value)
{
    QVector<QJsonObject> result;
    for (int i = qMax(0, from); i < log.size(); ++i) {
        const QJsonObject &entry = log.at(i);
        if (entry.value(QLatin1String("kind")).toString() != kind)
            continue;
        if (!field.isEmpty() && entry.value(field).toString() != value)
            continue;
        result << entry;
    }
    return result;
}

qint64 residentKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

RssSampler::~RssSampler()
{
    stop();
}

void RssSampler::start()
{
    stop();
    m_peak = residentKb();
    m_peakAnon = residentKb("RssAnon:");
    m_running = true;
    m_thread.reset(QThread::create([this] {
        while (m_running) {
            m_peak = qMax(m_peak.load(), residentKb());
            m_peakAnon = qMax(m_peakAnon.load(), residentKb("RssAnon:"));
            QThread::msleep(5);
        }
    }));
    m_thread->start();
}

void RssSampler::stop()
{
    m_running = false;
    if (m_thread)
        m_thread->wait();
    m_thread.reset();
}

LatencyProbe::LatencyProbe()
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        const qint64 now = m_clock.elapsed();
        m_worst = qMax(m_worst, now - m_last - 10);
        m_last = now;
    });
}

void LatencyProbe::start()
{
    m_worst = 0;
    m_last = 0;
    m_clock.start();
    m_timer.start();
}

qint64 LatencyProbe::stop()
{
    m_timer.stop();
    return m_worst;
}

} // namespace SearchTestNet

#include "webservercheck.h"

#include "availabilitychecker.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QtQml>

namespace {

// Lives on the check's thread; one network access manager for all its requests.
class Worker : public QObject
{
    Q_OBJECT

public:
    void check(quint64 id, const QUrl &url)
    {
        if (!m_manager)
            m_manager = new QNetworkAccessManager(this);
        QNetworkReply *reply = AvailabilityChecker::head(m_manager, url);
        connect(reply, &QNetworkReply::finished, this, [this, reply, id] {
            reply->deleteLater();
            emit answered(id, reply->error() == QNetworkReply::NoError);
        });
    }

signals:
    void answered(quint64 id, bool available);

private:
    QNetworkAccessManager *m_manager = nullptr;
};

} // namespace

WebServerCheck::WebServerCheck(QObject *parent)
    : QObject(parent)
{
    auto *worker = new Worker;
    worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &Worker::answered, this, &WebServerCheck::answered);
    m_worker = worker;
    m_thread.setObjectName(QStringLiteral("webservercheck"));
    m_thread.start();
}

WebServerCheck::~WebServerCheck()
{
    // A request still open is dropped with the worker; nothing waits for its answer.
    m_thread.quit();
    m_thread.wait();
}

void WebServerCheck::registerType()
{
    qmlRegisterType<WebServerCheck>("ControllerSelect", 1, 0, "WebServerCheck");
}

QString WebServerCheck::address() const
{
    return m_address;
}

void WebServerCheck::setAddress(const QString &address)
{
    if (address == m_address)
        return;
    m_address = address;
    ++m_check;
    emit addressChanged();
    if (m_running) {
        m_running = false;
        emit runningChanged();
    }
}

bool WebServerCheck::isRunning() const
{
    return m_running;
}

bool WebServerCheck::split(QString *host, int *port) const
{
    const int colon = m_address.lastIndexOf(QLatin1Char(':'));
    *host = colon < 0 ? m_address : m_address.left(colon);
    *port = -1;
    if (colon >= 0) {
        bool ok = false;
        *port = m_address.mid(colon + 1).toInt(&ok);
        if (!ok || *port < 1 || *port > 65535)
            return false;
    }
    return !host->isEmpty();
}

bool WebServerCheck::serves(const QUrl &page) const
{
    QString host;
    int port = -1;
    if (!split(&host, &port) || page.host().compare(host, Qt::CaseInsensitive) != 0)
        return false;
    const int defaultPort = page.scheme() == QLatin1String("https") ? 443 : 80;
    return port < 0 || page.port(defaultPort) == port;
}

void WebServerCheck::start()
{
    if (m_running)
        return;
    QString host;
    int port = -1;
    if (!split(&host, &port))
        return;
    const QUrl url =
        AvailabilityChecker::url(host, port < 0 ? AvailabilityChecker::Port : quint16(port));
    const quint64 id = ++m_check;
    m_running = true;
    emit runningChanged();
    QMetaObject::invokeMethod(
        m_worker, [worker = static_cast<Worker *>(m_worker), id, url] { worker->check(id, url); });
}

void WebServerCheck::answered(quint64 check, bool available)
{
    if (check != m_check || !m_running)
        return;
    m_running = false;
    emit runningChanged();
    emit finished(available);
}

#include "webservercheck.moc"

#include "webservercheck.h"

#include "availabilitychecker.h"
#include "controlleraddress.h"

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

bool WebServerCheck::serves(const QUrl &page) const
{
    return ControllerAddress::parse(m_address).serves(page);
}

void WebServerCheck::start()
{
    if (m_running)
        return;
    const QUrl url = ControllerAddress::parse(m_address).checkUrl();
    if (url.isEmpty())
        return;
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

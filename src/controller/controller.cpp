#include "controller.h"

#include "controlleraddress.h"
#include "controllersearch.h"
#include "protocol/blocks.h"
#include "protocol/envelope.h"
#include "protocol/requests.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QSaveFile>
#include <QSettings>
#include <QUrl>

namespace {

const QString kLastControllerFile = QStringLiteral("/config/last_selected_controller");
const QString kSettingsFile = QStringLiteral("/config/controllerselect.ini");
const QString kDisplayTimeoutKey = QStringLiteral("DisplayTimeout");

// Returned while the settings file holds no time-out; follows every accepted set so that a
// value that could not be written is still the one in force.
int s_displayTimeoutFallback = 60;

constexpr quint8 kBlinkValue = 5;

// Replies wait in the socket while the main thread is busy; the default buffer holds only a few
// hundred of them. The kernel caps what is asked for (net.core.rmem_max).
constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;
// Replies read in one turn of the event loop: a few milliseconds' work.
constexpr int kDatagramsPerTurn = 256;

// An address is a few dozen bytes; a huge or binary file must not cost the board its memory.
constexpr qint64 kMaxLastControllerBytes = 64 * 1024;

} // namespace

Controller *Controller::instance()
{
    // Function-local static: created once, even under concurrent first calls; never destroyed.
    static Controller *const controller = new Controller();
    return controller;
}

Controller::Controller(QObject *parent)
    : Controller(kLastControllerFile, kSettingsFile, parent)
{}

Controller::Controller(const QString &lastControllerPath, const QString &settingsPath,
                       QObject *parent)
    : QObject(parent)
    , m_lastControllerPath(lastControllerPath)
{
    // Default bind mode: the port is not shared, a second instance simply gets no replies.
    if (m_socket.bind(QHostAddress::Any, Port))
        m_socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption,
                                 kReceiveBufferBytes);
    connect(&m_socket, &QUdpSocket::readyRead, this, &Controller::readPendingDatagrams);
    m_search = new ControllerSearch([this] { sendDiscovery(); }, this);

    readLastControllerFile();

    m_settings = new QSettings(settingsPath, QSettings::IniFormat, this);
}

Controller::~Controller() = default;

void Controller::readLastControllerFile()
{
    QFile file(m_lastControllerPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = file.read(kMaxLastControllerBytes);
    const int zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    // An older version stored the address as typed, leading zeros and all.
    m_lastController = ControllerAddress::canonical(QString::fromUtf8(bytes).trimmed());
}

QString Controller::lastController() const
{
    return m_lastController;
}

void Controller::setLastController(const QString &value)
{
    if (value == m_lastController)
        return;
    m_lastController = value;
    emit lastControllerChanged(value);

    // Written to a temporary file and renamed over the old one, so a power cut during the
    // write leaves either the old or the new address, never a torn one.
    QSaveFile file(m_lastControllerPath);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(value.toUtf8());
    file.commit();
}

int Controller::displayTimeout() const
{
    return m_settings->value(kDisplayTimeoutKey, s_displayTimeoutFallback).toInt();
}

void Controller::setDisplayTimeout(int value)
{
    if (value < 0)
        return;
    m_settings->setValue(kDisplayTimeoutKey, value);
    s_displayTimeoutFallback = value;
    emit displayTimeoutChanged(value);
}

ControllerSearch *Controller::search() const
{
    return m_search;
}

void Controller::discoverControllers()
{
    m_search->start();
}

void Controller::sendDiscovery()
{
    const QByteArray request = ZelCRC::discoveryRequest();

    // The interfaces are listed afresh each time: a link that comes up during a search gets the
    // later copies.
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const QNetworkInterface::InterfaceFlags flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning))
            continue;
        if (flags.testFlag(QNetworkInterface::IsLoopBack) ||
            flags.testFlag(QNetworkInterface::IsPointToPoint))
            continue;
        if (interface.type() != QNetworkInterface::Ethernet &&
            interface.type() != QNetworkInterface::Wifi)
            continue;

        const auto entries = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            // IPv6 entries have no broadcast address: nothing would leave for them anyway.
            const QHostAddress broadcast = entry.broadcast();
            if (broadcast.isNull())
                continue;
            m_socket.writeDatagram(request, broadcast, Port);
        }
    }
}

void Controller::blinkController(const QString &ethMacAddress)
{
    m_socket.writeDatagram(ZelCRC::blinkRequest(ethMacAddress.toLatin1(), kBlinkValue),
                           QHostAddress(QHostAddress::Broadcast), Port);
}

bool Controller::checkLastControllerAvailable()
{
    if (m_lastController.isEmpty())
        return false;
    return checkControllerAvailable(m_lastController);
}

bool Controller::checkControllerAvailable(const QString &address)
{
    // Only a plain address is a host: one with a port names no web server to ask.
    const ControllerAddress parsed = ControllerAddress::parse(address);
    if (!parsed.isValid() || parsed.hasPort())
        return false;
    QNetworkAccessManager manager;
    QNetworkReply *reply = AvailabilityChecker::head(&manager, parsed.checkUrl());

    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::AllEvents);

    const QNetworkReply::NetworkError error = reply->error();
    reply->deleteLater();
    return error == QNetworkReply::NoError;
}

void Controller::readPendingDatagrams()
{
    // Replies that come faster than they are read must not keep the event loop from the rest of
    // the program: what is left is read on the next turn, none is left behind.
    int read = 0;
    const auto anotherTurn = [this, &read] {
        if (++read <= kDatagramsPerTurn)
            return false;
        // A timer, not a posted call: posted calls run before timers and socket notifications.
        QTimer::singleShot(1, this, &Controller::readPendingDatagrams);
        return true;
    };

    if (!m_search->isRunning()) {
        // No search would take them: read and dropped, neither decoded nor checked.
        char byte;
        while (m_socket.hasPendingDatagrams() && !anotherTurn()) {
            if (m_socket.readDatagram(&byte, 1) < 0)
                break;
        }
        return;
    }

    // Handed to the checker in one go: a flood must cost the main thread little per reply.
    ControllerSearch::Records records;
    while (m_socket.hasPendingDatagrams() && !anotherTurn()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram();
        // A failed read leaves the datagram queued; retrying it here would spin forever.
        if (!datagram.isValid())
            break;

        QByteArray body;
        if (!ZelCRC::unpackMessage(datagram.data(), body))
            continue;

        // The display's own broadcasts come back here too; they are requests, not replies.
        const QVariant parsed = NEBconfig::parseBlocks(body);
        if (!parsed.isValid() || !parsed.canConvert(NEBconfig::blocksTypeId()))
            continue;
        const auto blocks = qvariant_cast<NEBconfig::Blocks>(parsed);

        ControllerListModel::ControllerData record;
        record.name = blocks.value(NEBconfig::NameKey).toString();
        record.model = blocks.value(NEBconfig::ModelKey).toString();
        record.serialNumber = blocks.value(NEBconfig::SerialNumberKey).toString();
        record.ipAddress = ControllerAddress::fromSender(datagram.senderAddress()).text();

        records.append(record);
    }
    m_search->take(records);
}

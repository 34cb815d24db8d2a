#include "controller.h"

#include <QFile>
#include <QSaveFile>
#include <QSettings>

namespace {

const QString kLastControllerFile = QStringLiteral("/config/last_selected_controller");
const QString kSettingsFile = QStringLiteral("/config/controllerselect.ini");
const QString kDisplayTimeoutKey = QStringLiteral("DisplayTimeout");

// Returned while the settings file holds no time-out; follows every accepted set so that a
// value that could not be written is still the one in force.
int s_displayTimeoutFallback = 60;

// An address is a few dozen bytes; a huge or binary file must not cost the board its memory.
constexpr qint64 kMaxLastControllerBytes = 64 * 1024;

} // namespace

const QString &Controller::lastControllerFilePath()
{
    return kLastControllerFile;
}

const QString &Controller::settingsFilePath()
{
    return kSettingsFile;
}

const QString &Controller::displayTimeoutKey()
{
    return kDisplayTimeoutKey;
}

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
    m_socket.bind(QHostAddress::Any, Port);
    connect(&m_socket, &QUdpSocket::readyRead, this, &Controller::readPendingDatagrams);

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
    m_lastController = QString::fromUtf8(bytes).trimmed();
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

void Controller::discoverControllers() {}

void Controller::blinkController(const QString &ethMacAddress)
{
    Q_UNUSED(ethMacAddress)
}

bool Controller::checkLastControllerAvailable()
{
    return false;
}

bool Controller::checkControllerAvailable(const QString &address)
{
    Q_UNUSED(address)
    return false;
}

void Controller::readPendingDatagrams() {}

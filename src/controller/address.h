#pragma once

#include <QObject>
#include <QString>

// ControllerAddress for the UI: Address in the import "ControllerSelect 1.0".
class Address : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The address in plain decimal ("192.168.001.010" becomes "192.168.1.10"); text that is no
    // address comes back unchanged.
    Q_INVOKABLE QString canonical(const QString &text) const;
    // The controller's web interface at this address; empty when it is no address.
    Q_INVOKABLE QString url(const QString &address) const;
    // The address (host, and a port where the URL names one) of the web server that serves this
    // URL; empty unless the URL is http or https on an IPv4 host.
    Q_INVOKABLE QString authority(const QString &url) const;

    static void registerType();
};

#pragma once

#include <QObject>
#include <QString>

// An IPv4 address as typed may have leading zeros ("192.168.001.010", meant as decimal), but a
// URL parser reads such a group as octal and would reach another host (192.168.1.8). The
// canonical form drops them ("192.168.1.10"); a port is kept as it is. Any text that is not
// four decimal groups of up to three digits, each at most 255, comes back unchanged.
QString canonicalAddress(const QString &text);

// canonicalAddress() for the UI: Address.canonical(text) in the import "ControllerSelect 1.0".
class Address : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    Q_INVOKABLE QString canonical(const QString &text) const;

    static void registerType();
};

#pragma once

#include <QString>
#include <QUrl>

class QHostAddress;

// A controller's address as it is listed, stored, checked and shown: an IPv4 address in dotted
// decimal, optionally followed by a colon and a port (1 to 65535). Every place that reads an
// address from text, or makes a URL of one, goes through here, so that all agree on what an
// address is.
class ControllerAddress
{
public:
    static constexpr quint16 WebPort = 80;
    // What the availability check asks a controller's web server for (HEAD).
    static const QString CheckPath;

    ControllerAddress() = default;

    // Typed text may have leading zeros ("192.168.001.010", meant as decimal), but a URL parser
    // reads such a group as octal and would reach another host (192.168.1.8): the groups are
    // taken as decimal. Anything else than four groups of up to three digits, each at most 255,
    // and an optional port of up to five digits from 1 to 65535, gives an invalid address.
    static ControllerAddress parse(const QString &text);
    // The sender of a reply; one without an IPv4 form is 0.0.0.0.
    static ControllerAddress fromSender(const QHostAddress &sender);
    // The address whose web server serves an http or https URL; invalid unless its host is IPv4.
    static ControllerAddress fromUrl(const QUrl &url);
    // The canonical text of an address; text that is no address comes back unchanged.
    static QString canonical(const QString &text);

    bool isValid() const { return m_valid; }
    bool hasPort() const { return m_port != 0; }
    // The port where one is named, the web server's otherwise.
    quint16 port() const { return hasPort() ? m_port : WebPort; }
    QString host() const;
    // Dotted decimal without leading zeros, the port (if any) after a colon.
    QString text() const;
    ControllerAddress withPort(quint16 port) const;

    // The controller's web interface: "http://" and the address. Empty when invalid.
    QUrl pageUrl() const;
    // The availability check's URL, its port always explicit. Empty when invalid.
    QUrl checkUrl() const;
    // Whether a page at this URL comes from this address's web server: the same host, and the
    // same port where the address names one.
    bool serves(const QUrl &page) const;

    bool operator==(const ControllerAddress &other) const;
    bool operator!=(const ControllerAddress &other) const { return !(*this == other); }

private:
    quint32 m_ipv4 = 0;
    quint16 m_port = 0; // 0: none named
    bool m_valid = false;
};

#include "controlleraddress.h"

#include <QHostAddress>
#include <QStringList>

const QString ControllerAddress::CheckPath = QStringLiteral("/tqsettings.json");

namespace {

// A decimal number of 1 to `digits` ASCII digits, at most `max`; -1 otherwise.
int decimal(const QString &text, int digits, int max)
{
    if (text.isEmpty() || text.size() > digits)
        return -1;
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value <= max ? value : -1;
}

} // namespace

ControllerAddress ControllerAddress::parse(const QString &text)
{
    ControllerAddress address;
    QString rest = text;
    const int colon = rest.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const int port = decimal(rest.mid(colon + 1), 5, 65535);
        if (port < 1)
            return {};
        address.m_port = quint16(port);
        rest = rest.left(colon);
    }
    int groups = 0;
    for (int start = 0; start <= rest.size(); ++groups) {
        int dot = rest.indexOf(QLatin1Char('.'), start);
        if (dot < 0)
            dot = rest.size();
        const int group = decimal(rest.mid(start, dot - start), 3, 255);
        if (group < 0 || groups == 4)
            return {};
        address.m_ipv4 = (address.m_ipv4 << 8) | quint32(group);
        start = dot + 1;
    }
    if (groups != 4)
        return {};
    address.m_valid = true;
    return address;
}

ControllerAddress ControllerAddress::fromSender(const QHostAddress &sender)
{
    // Handles IPv4-mapped IPv6 senders too.
    bool isIPv4 = false;
    const quint32 ip = sender.toIPv4Address(&isIPv4);
    ControllerAddress address;
    address.m_ipv4 = isIPv4 ? ip : 0;
    address.m_valid = true;
    return address;
}

ControllerAddress ControllerAddress::fromUrl(const QUrl &url)
{
    const QString scheme = url.scheme();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return {};
    ControllerAddress address = parse(url.host());
    if (address.isValid() && url.port() > 0)
        address.m_port = quint16(url.port());
    return address;
}

QString ControllerAddress::canonical(const QString &text)
{
    const ControllerAddress address = parse(text);
    return address.isValid() ? address.text() : text;
}

QString ControllerAddress::host() const
{
    if (!m_valid)
        return {};
    return QStringLiteral("%1.%2.%3.%4")
        .arg((m_ipv4 >> 24) & 0xff)
        .arg((m_ipv4 >> 16) & 0xff)
        .arg((m_ipv4 >> 8) & 0xff)
        .arg(m_ipv4 & 0xff);
}

QString ControllerAddress::text() const
{
    if (!hasPort())
        return host();
    return host() + QLatin1Char(':') + QString::number(m_port);
}

ControllerAddress ControllerAddress::withPort(quint16 port) const
{
    ControllerAddress address = *this;
    address.m_port = port;
    return address;
}

QUrl ControllerAddress::pageUrl() const
{
    if (!m_valid)
        return {};
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(host());
    if (hasPort())
        url.setPort(m_port);
    return url;
}

QUrl ControllerAddress::checkUrl() const
{
    if (!m_valid)
        return {};
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(host());
    url.setPort(port());
    url.setPath(CheckPath);
    return url;
}

bool ControllerAddress::serves(const QUrl &page) const
{
    const ControllerAddress server = fromUrl(page);
    if (!m_valid || !server.isValid() || server.m_ipv4 != m_ipv4)
        return false;
    const int defaultPort = page.scheme() == QLatin1String("https") ? 443 : WebPort;
    return !hasPort() || page.port(defaultPort) == m_port;
}

bool ControllerAddress::operator==(const ControllerAddress &other) const
{
    return m_valid == other.m_valid && m_ipv4 == other.m_ipv4 && m_port == other.m_port;
}

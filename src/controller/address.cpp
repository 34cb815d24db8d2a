#include "address.h"

#include "controlleraddress.h"

#include <QQmlEngine>
#include <QUrl>

QString Address::canonical(const QString &text) const
{
    return ControllerAddress::canonical(text);
}

QString Address::url(const QString &address) const
{
    return ControllerAddress::parse(address).pageUrl().toString();
}

QString Address::authority(const QString &url) const
{
    return ControllerAddress::fromUrl(QUrl(url)).text();
}

void Address::registerType()
{
    qmlRegisterSingletonType<Address>(
        "ControllerSelect", 1, 0, "Address",
        [](QQmlEngine *, QJSEngine *) -> QObject * { return new Address(); });
}

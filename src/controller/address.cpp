#include "address.h"

#include <QQmlEngine>
#include <QRegularExpression>
#include <QStringList>

QString canonicalAddress(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})\\.([0-9]{1,3})(:[0-9]+)?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return text;
    QStringList groups;
    for (int i = 1; i <= 4; ++i) {
        const int value = match.captured(i).toInt();
        if (value > 255)
            return text;
        groups << QString::number(value);
    }
    return groups.join(QLatin1Char('.')) + match.captured(5);
}

QString Address::canonical(const QString &text) const
{
    return canonicalAddress(text);
}

void Address::registerType()
{
    qmlRegisterSingletonType<Address>(
        "ControllerSelect", 1, 0, "Address",
        [](QQmlEngine *, QJSEngine *) -> QObject * { return new Address(); });
}

#include "zelgui.h"

#include <QGuiApplication>
#include <QVariantMap>
#include <QtGlobal>

ZelGui::ZelGui(qreal scaleFactor, const QString &fontAwesomeFamily, QObject *parent)
    : QObject(parent)
    , m_scaleFactor(scaleFactor)
    , m_fontAwesomeFamily(fontAwesomeFamily)
{}

qreal ZelGui::sp(qreal designPixels) const
{
    return designPixels * m_scaleFactor;
}

QFont ZelGui::font(const QVariant &spec) const
{
    if (spec.userType() == QMetaType::QFont)
        return spec.value<QFont>();

    const QVariantMap m = spec.toMap();
    QFont f = QGuiApplication::font();
    auto has = [&m](const char *key) { return m.contains(QLatin1String(key)); };
    auto value = [&m](const char *key) { return m.value(QLatin1String(key)); };

    if (has("family"))
        f.setFamily(value("family").toString());
    if (has("styleName"))
        f.setStyleName(value("styleName").toString());
    if (has("pointSize") && value("pointSize").toReal() > 0)
        f.setPointSizeF(value("pointSize").toReal());
    // pixelSize wins over pointSize when both are given, as in a QML font value.
    if (has("pixelSize") && qRound(value("pixelSize").toReal()) > 0)
        f.setPixelSize(qRound(value("pixelSize").toReal()));
    if (has("weight"))
        f.setWeight(qBound(0, value("weight").toInt(), 99));
    if (has("bold"))
        f.setBold(value("bold").toBool());
    if (has("italic"))
        f.setItalic(value("italic").toBool());
    if (has("underline"))
        f.setUnderline(value("underline").toBool());
    if (has("strikeout"))
        f.setStrikeOut(value("strikeout").toBool());
    if (has("overline"))
        f.setOverline(value("overline").toBool());
    if (has("capitalization"))
        f.setCapitalization(QFont::Capitalization(qBound(0, value("capitalization").toInt(), 4)));
    if (has("letterSpacing"))
        f.setLetterSpacing(QFont::AbsoluteSpacing, value("letterSpacing").toReal());
    if (has("wordSpacing"))
        f.setWordSpacing(value("wordSpacing").toReal());
    if (has("kerning"))
        f.setKerning(value("kerning").toBool());
    if (has("hintingPreference"))
        f.setHintingPreference(
            QFont::HintingPreference(qBound(0, value("hintingPreference").toInt(), 3)));
    return f;
}

QFont ZelGui::fontAwesome5Solid(qreal pixelSize) const
{
    QFont f(m_fontAwesomeFamily);
    f.setWeight(QFont::Black);
    f.setStyleName(QStringLiteral("Solid"));
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    return f;
}

QFont ZelGui::fontAwesome5Light(qreal pixelSize) const
{
    return fontAwesome5Solid(pixelSize);
}

QString ZelGui::envVar(const QString &name) const
{
    if (name.isEmpty())
        return QString();
    return qEnvironmentVariable(name.toLocal8Bit().constData());
}

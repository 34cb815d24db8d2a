#pragma once

#include <QFont>
#include <QObject>
#include <QString>
#include <QVariant>

// The global $ZelGui: scaling, fonts and the environment for UI documents.
class ZelGui : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qreal scaleFactor READ scaleFactor CONSTANT)
    Q_PROPERTY(QString fontAwesomeFamily READ fontAwesomeFamily CONSTANT)

public:
    ZelGui(qreal scaleFactor, const QString &fontAwesomeFamily, QObject *parent = nullptr);

    qreal scaleFactor() const { return m_scaleFactor; }
    QString fontAwesomeFamily() const { return m_fontAwesomeFamily; }

    // A size in design pixels, scaled to the screen.
    Q_INVOKABLE qreal sp(qreal designPixels) const;
    // A font from a record of font fields (family, pixelSize, pointSize, bold, italic, weight,
    // capitalization, letterSpacing, wordSpacing, underline, strikeout, overline, styleName,
    // kerning, hintingPreference); fields not given keep the application font's values.
    Q_INVOKABLE QFont font(const QVariant &spec) const;
    Q_INVOKABLE QFont fontAwesome5Solid(qreal pixelSize) const;
    // The Light set is not free; the stand-in draws Light glyphs with the Solid font.
    Q_INVOKABLE QFont fontAwesome5Light(qreal pixelSize) const;
    // The variable's value, "" when it is not set.
    Q_INVOKABLE QString envVar(const QString &name) const;

private:
    qreal m_scaleFactor;
    QString m_fontAwesomeFamily;
};

#pragma once

#include <QColor>
#include <QObject>
#include <QString>

// Colours, font and spacing of the UI. One change signal for the whole group: the values are set
// once by the main window, so a finer split would only add code.
class ZelStyleUi : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QColor primaryColor MEMBER m_primaryColor NOTIFY valuesChanged)
    Q_PROPERTY(QColor secondaryColor MEMBER m_secondaryColor NOTIFY valuesChanged)
    Q_PROPERTY(QColor baseColor MEMBER m_baseColor NOTIFY valuesChanged)
    Q_PROPERTY(QColor textColor MEMBER m_textColor NOTIFY valuesChanged)
    Q_PROPERTY(QColor selectionColor MEMBER m_selectionColor NOTIFY valuesChanged)
    Q_PROPERTY(QString fontFamily MEMBER m_fontFamily NOTIFY valuesChanged)
    Q_PROPERTY(QColor dimmedBackgroundColor MEMBER m_dimmedBackgroundColor NOTIFY valuesChanged)
    Q_PROPERTY(QColor customColor1 MEMBER m_customColor1 NOTIFY valuesChanged)
    Q_PROPERTY(QColor customColor2 MEMBER m_customColor2 NOTIFY valuesChanged)
    Q_PROPERTY(QColor customColor3 MEMBER m_customColor3 NOTIFY valuesChanged)
    Q_PROPERTY(QColor customColor4 MEMBER m_customColor4 NOTIFY valuesChanged)
    Q_PROPERTY(QColor borderColor MEMBER m_borderColor NOTIFY valuesChanged)
    Q_PROPERTY(qreal contentMargin MEMBER m_contentMargin NOTIFY valuesChanged)
    Q_PROPERTY(qreal contentPadding MEMBER m_contentPadding NOTIFY valuesChanged)

public:
    explicit ZelStyleUi(qreal scale, const QString &fontFamily, QObject *parent = nullptr)
        : QObject(parent)
        , m_fontFamily(fontFamily)
        , m_contentMargin(qRound(10 * scale))
        , m_contentPadding(qRound(10 * scale))
    {}

signals:
    void valuesChanged();

private:
    QColor m_primaryColor{0x00, 0x79, 0x6B};
    QColor m_secondaryColor{0xE0, 0xE0, 0xE0};
    QColor m_baseColor{Qt::white};
    QColor m_textColor{0x33, 0x33, 0x33};
    QColor m_selectionColor{0xA9, 0xA9, 0xA9};
    QString m_fontFamily;
    QColor m_dimmedBackgroundColor{0, 0, 0, 0x80};
    QColor m_customColor1{0xE6, 0xE6, 0xE6};
    QColor m_customColor2{0x80, 0xCB, 0xC4};
    QColor m_customColor3{0x26, 0xA6, 0x9A};
    QColor m_customColor4{0xC8, 0xC8, 0xC8};
    QColor m_borderColor{0xC8, 0xC8, 0xC8};
    qreal m_contentMargin;
    qreal m_contentPadding;
};

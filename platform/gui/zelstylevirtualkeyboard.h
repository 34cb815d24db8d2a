#pragma once

#include <QColor>
#include <QObject>
#include <QString>

// The on-screen keyboard's look.
class ZelStyleVirtualKeyboard : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool displayLanguageNameOnSpaceKey MEMBER m_displayLanguageNameOnSpaceKey NOTIFY
                   valuesChanged)
    // Keyboard height as a share of the available height. Assigning undefined gives the
    // platform's default back.
    Q_PROPERTY(qreal heightRatio MEMBER m_heightRatio RESET resetHeightRatio NOTIFY valuesChanged)
    Q_PROPERTY(QString fontFamily MEMBER m_fontFamily NOTIFY valuesChanged)
    Q_PROPERTY(QColor panelBackgroundColor MEMBER m_panelBackgroundColor NOTIFY valuesChanged)
    Q_PROPERTY(QColor keyBackgroundColor MEMBER m_keyBackgroundColor NOTIFY valuesChanged)
    Q_PROPERTY(QColor keyFontColor MEMBER m_keyFontColor NOTIFY valuesChanged)
    Q_PROPERTY(QColor functionKeyFontColor MEMBER m_functionKeyFontColor NOTIFY valuesChanged)
    Q_PROPERTY(
        QColor functionKeyBackgroundColor MEMBER m_functionKeyBackgroundColor NOTIFY valuesChanged)
    Q_PROPERTY(
        QColor functionKeyActiveFontColor MEMBER m_functionKeyActiveFontColor NOTIFY valuesChanged)
    Q_PROPERTY(QColor spaceKeyBackgroundColor MEMBER m_spaceKeyBackgroundColor NOTIFY valuesChanged)
    Q_PROPERTY(
        QColor previewKeyBackgroundColor MEMBER m_previewKeyBackgroundColor NOTIFY valuesChanged)
    Q_PROPERTY(QColor previewKeyFontColor MEMBER m_previewKeyFontColor NOTIFY valuesChanged)
    Q_PROPERTY(QColor alternateKeysBackgroundColor MEMBER m_alternateKeysBackgroundColor NOTIFY
                   valuesChanged)
    Q_PROPERTY(QColor enterKeyBackgroundColor MEMBER m_enterKeyBackgroundColor NOTIFY valuesChanged)
    Q_PROPERTY(QColor enterKeyFontColor MEMBER m_enterKeyFontColor NOTIFY valuesChanged)
    Q_PROPERTY(qreal topRelativeMargin MEMBER m_topRelativeMargin NOTIFY valuesChanged)
    Q_PROPERTY(qreal bottomRelativeMargin MEMBER m_bottomRelativeMargin NOTIFY valuesChanged)
    Q_PROPERTY(qreal keyRelativeOutterMargin MEMBER m_keyRelativeOutterMargin NOTIFY valuesChanged)
    Q_PROPERTY(qreal keyRelativeInnerMargin MEMBER m_keyRelativeInnerMargin NOTIFY valuesChanged)

public:
    static constexpr qreal defaultHeightRatio = 0.5;

    explicit ZelStyleVirtualKeyboard(const QString &fontFamily, QObject *parent = nullptr)
        : QObject(parent)
        , m_fontFamily(fontFamily)
    {}

    void resetHeightRatio()
    {
        if (qFuzzyCompare(m_heightRatio, defaultHeightRatio))
            return;
        m_heightRatio = defaultHeightRatio;
        emit valuesChanged();
    }

signals:
    void valuesChanged();

private:
    bool m_displayLanguageNameOnSpaceKey = true;
    qreal m_heightRatio = defaultHeightRatio;
    QString m_fontFamily;
    QColor m_panelBackgroundColor{0xEE, 0xEE, 0xEE};
    QColor m_keyBackgroundColor{Qt::white};
    QColor m_keyFontColor{0x33, 0x33, 0x33};
    QColor m_functionKeyFontColor{0x33, 0x33, 0x33};
    QColor m_functionKeyBackgroundColor{0xD6, 0xD6, 0xD6};
    QColor m_functionKeyActiveFontColor{0x00, 0x79, 0x6B};
    QColor m_spaceKeyBackgroundColor{0xD6, 0xD6, 0xD6};
    QColor m_previewKeyBackgroundColor{0xD6, 0xD6, 0xD6};
    QColor m_previewKeyFontColor{0x33, 0x33, 0x33};
    QColor m_alternateKeysBackgroundColor{0xD6, 0xD6, 0xD6};
    QColor m_enterKeyBackgroundColor{0xD6, 0xD6, 0xD6};
    QColor m_enterKeyFontColor{0x00, 0x79, 0x6B};
    qreal m_topRelativeMargin = 0.04;
    qreal m_bottomRelativeMargin = 0.02;
    qreal m_keyRelativeOutterMargin = 0.1;
    qreal m_keyRelativeInnerMargin = 0.1;
};

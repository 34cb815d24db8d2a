#pragma once

#include <QObject>

// Stacking orders shared by the platform's popups. Popups stay below the keyboard panel
// (z 1000 in the overlay) so a field in a popup can be typed into.
class ZelStyleZ : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qreal popup MEMBER m_popup NOTIFY valuesChanged)
    Q_PROPERTY(qreal dialog MEMBER m_dialog NOTIFY valuesChanged)

public:
    using QObject::QObject;

signals:
    void valuesChanged();

private:
    qreal m_popup = 100;
    qreal m_dialog = 200;
};

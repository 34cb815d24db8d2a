#pragma once

#include <QObject>

// Timings of touch interaction.
class ZelStyleUsability : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int longPressInterval MEMBER m_longPressInterval NOTIFY valuesChanged)
    Q_PROPERTY(int doubleClickInterval MEMBER m_doubleClickInterval NOTIFY valuesChanged)

public:
    using QObject::QObject;

signals:
    void valuesChanged();

private:
    int m_longPressInterval = 800;
    int m_doubleClickInterval = 300;
};

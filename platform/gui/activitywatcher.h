#pragma once

#include <QObject>
#include <QPointer>
#include <QQuickWindow>

// Reports user input anywhere in a window (press, touch, wheel, key). While swallowInput is
// set, the input that woke it is eaten whole, press to release, so it reaches nothing below.
class ActivityWatcher : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QQuickWindow *window READ window WRITE setWindow NOTIFY windowChanged)
    Q_PROPERTY(bool swallowInput READ swallowInput WRITE setSwallowInput NOTIFY swallowInputChanged)

public:
    using QObject::QObject;

    QQuickWindow *window() const { return qobject_cast<QQuickWindow *>(m_window.data()); }
    void setWindow(QQuickWindow *window);
    bool swallowInput() const { return m_swallowInput; }
    void setSwallowInput(bool swallow);

signals:
    void windowChanged();
    void swallowInputChanged();
    void activity();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool startsInput(QEvent *event);
    bool continuesEaten(QEvent *event);

    // Held as a QObject: a window being destroyed still sends events through the filter, when
    // it is no longer a QQuickWindow.
    QPointer<QObject> m_window;
    bool m_swallowInput = false;
    bool m_eatingPointer = false;
    bool m_eatingTouch = false;
    int m_eatenKey = 0;
};

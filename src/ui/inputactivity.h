#pragma once

#include <QObject>

// Tells when a person starts an input anywhere in the application: a press, a touch, a key
// (not its auto-repeat), a wheel turn. It watches the application's events before any window
// or item sees them, so an item that takes the input and a popup over the page alike count,
// and so does the touch that a screen saver swallows: the handler decides whether that counts.
class InputActivity : public QObject
{
    Q_OBJECT

public:
    explicit InputActivity(QObject *parent = nullptr);
    ~InputActivity() override;

    // As "InputActivity" in the import "ControllerSelect 1.0".
    static void registerType();

signals:
    void inputStarted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

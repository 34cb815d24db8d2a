#pragma once

#include <QObject>

// The panel's backlight. The stand-in keeps the level in memory and never touches real
// hardware; the start level comes from ZEL_DISPLAY_BRIGHTNESS (default 100).
class Display : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int brightness READ brightness WRITE setBrightness NOTIFY brightnessChanged)
    Q_PROPERTY(bool on READ isOn WRITE setOn NOTIFY onChanged)

public:
    explicit Display(QObject *parent = nullptr);

    static Display *instance();

    int brightness() const { return m_brightness; }
    // Percent; values outside 0..100 are clamped.
    void setBrightness(int percent);
    bool isOn() const { return m_on; }
    void setOn(bool on);

signals:
    void brightnessChanged(int brightness);
    void onChanged(bool on);

private:
    int m_brightness = 100;
    bool m_on = true;
};

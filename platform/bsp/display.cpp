#include "display.h"

#include <QLoggingCategory>
#include <QtGlobal>

Q_LOGGING_CATEGORY(lcDisplay, "zel.display", QtWarningMsg)

Display::Display(QObject *parent)
    : QObject(parent)
{
    bool ok = false;
    const int start = qEnvironmentVariableIntValue("ZEL_DISPLAY_BRIGHTNESS", &ok);
    if (ok)
        m_brightness = qBound(0, start, 100);
}

Display *Display::instance()
{
    static Display *display = new Display;
    return display;
}

void Display::setBrightness(int percent)
{
    percent = qBound(0, percent, 100);
    if (percent == m_brightness)
        return;
    m_brightness = percent;
    qCDebug(lcDisplay) << "backlight" << percent << "%";
    emit brightnessChanged(m_brightness);
}

void Display::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    qCDebug(lcDisplay) << "panel" << (on ? "on" : "off");
    emit onChanged(m_on);
}

#include "devicetype.h"

#include "screenconfig.h"

#include <algorithm>

DeviceType::DeviceType(QObject *parent)
    : QObject(parent)
{
    const ScreenConfig c = ScreenConfig::fromEnvironment();
    m_rotation = c.rotation;
    m_screenWidth = c.screenSize.width();
    m_screenHeight = c.screenSize.height();
    m_maskLeft = c.mask.left();
    m_maskTop = c.mask.top();
    m_maskRight = c.mask.right();
    m_maskBottom = c.mask.bottom();
}

DeviceType *DeviceType::instance()
{
    static DeviceType *device = new DeviceType;
    return device;
}

void DeviceType::setRotation(int degrees)
{
    update(m_rotation, ScreenConfig::normalizedRotation(degrees));
}

void DeviceType::setScreenWidth(int width)
{
    update(m_screenWidth, std::max(1, width));
}

void DeviceType::setScreenHeight(int height)
{
    update(m_screenHeight, std::max(1, height));
}

int DeviceType::availableWidth() const
{
    const bool turned = m_rotation == 90 || m_rotation == 270;
    return std::max(0, turned ? m_screenHeight - m_maskTop - m_maskBottom
                              : m_screenWidth - m_maskLeft - m_maskRight);
}

int DeviceType::availableHeight() const
{
    const bool turned = m_rotation == 90 || m_rotation == 270;
    return std::max(0, turned ? m_screenWidth - m_maskLeft - m_maskRight
                              : m_screenHeight - m_maskTop - m_maskBottom);
}

void DeviceType::setMaskMarginLeft(int margin)
{
    update(m_maskLeft, std::max(0, margin));
}

void DeviceType::setMaskMarginTop(int margin)
{
    update(m_maskTop, std::max(0, margin));
}

void DeviceType::setMaskMarginRight(int margin)
{
    update(m_maskRight, std::max(0, margin));
}

void DeviceType::setMaskMarginBottom(int margin)
{
    update(m_maskBottom, std::max(0, margin));
}

void DeviceType::update(int &field, int value)
{
    if (field == value)
        return;
    field = value;
    emit geometryChanged();
}

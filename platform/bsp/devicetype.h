#pragma once

#include <QObject>

// The device's screen: panel size, rotation of the UI and the mask border. The values come from
// the environment at start; the stand-in also lets tests and demos change them while running.
class DeviceType : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int rotation READ rotation WRITE setRotation NOTIFY geometryChanged)
    Q_PROPERTY(int screenWidth READ screenWidth WRITE setScreenWidth NOTIFY geometryChanged)
    Q_PROPERTY(int screenHeight READ screenHeight WRITE setScreenHeight NOTIFY geometryChanged)
    Q_PROPERTY(int availableWidth READ availableWidth NOTIFY geometryChanged)
    Q_PROPERTY(int availableHeight READ availableHeight NOTIFY geometryChanged)
    Q_PROPERTY(
        int maskMarginLeft READ maskMarginLeft WRITE setMaskMarginLeft NOTIFY geometryChanged)
    Q_PROPERTY(int maskMarginTop READ maskMarginTop WRITE setMaskMarginTop NOTIFY geometryChanged)
    Q_PROPERTY(
        int maskMarginRight READ maskMarginRight WRITE setMaskMarginRight NOTIFY geometryChanged)
    Q_PROPERTY(
        int maskMarginBottom READ maskMarginBottom WRITE setMaskMarginBottom NOTIFY geometryChanged)

public:
    explicit DeviceType(QObject *parent = nullptr);

    static DeviceType *instance();

    int rotation() const { return m_rotation; }
    void setRotation(int degrees);
    int screenWidth() const { return m_screenWidth; }
    void setScreenWidth(int width);
    int screenHeight() const { return m_screenHeight; }
    void setScreenHeight(int height);
    int availableWidth() const;
    int availableHeight() const;
    int maskMarginLeft() const { return m_maskLeft; }
    void setMaskMarginLeft(int margin);
    int maskMarginTop() const { return m_maskTop; }
    void setMaskMarginTop(int margin);
    int maskMarginRight() const { return m_maskRight; }
    void setMaskMarginRight(int margin);
    int maskMarginBottom() const { return m_maskBottom; }
    void setMaskMarginBottom(int margin);

signals:
    void geometryChanged();

private:
    void update(int &field, int value);

    int m_rotation = 0;
    int m_screenWidth = 1280;
    int m_screenHeight = 800;
    int m_maskLeft = 0;
    int m_maskTop = 0;
    int m_maskRight = 0;
    int m_maskBottom = 0;
};

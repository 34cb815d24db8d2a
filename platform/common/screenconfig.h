#pragma once

#include <QMargins>
#include <QSize>

// The device's screen as the stand-in sees it: the panel size in pixels, how the UI is turned on
// it and the border hidden behind the front mask. On the board these come from the hardware;
// here they come from the environment (ZEL_SCREEN_WIDTH, ZEL_SCREEN_HEIGHT,
// ZEL_SCREEN_ROTATION, ZEL_SCREEN_MASK, ZEL_DESIGN_WIDTH, ZEL_DESIGN_HEIGHT).
struct ScreenConfig
{
    QSize screenSize{1280, 800};
    int rotation = 0;
    QMargins mask; // left, top, right, bottom, in panel pixels
    QSize designSize{1280, 800};

    static ScreenConfig fromEnvironment();

    // 0, 90, 180 or 270; anything else counts as 0.
    static int normalizedRotation(int degrees);
    // "l,t,r,b" or a single number for all four sides; negative values count as 0.
    static QMargins parseMask(const QString &text, bool *ok = nullptr);

    // The usable area inside the mask, in the UI's (rotated) coordinates.
    QSize availableSize() const;
    // Design pixels to screen pixels: the same factor in both directions, whichever way the
    // panel is turned.
    qreal scaleFactor() const;
};

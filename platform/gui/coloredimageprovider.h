#pragma once

#include <QQuickImageProvider>

// "image://zelcolored/<aarrggbb>/<percent-encoded source>": the source image with every
// pixel drawn in the one colour, keeping its alpha. Works with every scene-graph backend,
// unlike a shader effect.
class ColoredImageProvider : public QQuickImageProvider
{
public:
    ColoredImageProvider();

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

    static QString localPath(const QUrl &url);
};

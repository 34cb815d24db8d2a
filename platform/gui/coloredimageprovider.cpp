#include "coloredimageprovider.h"

#include <QColor>
#include <QImageReader>
#include <QPainter>
#include <QUrl>

ColoredImageProvider::ColoredImageProvider()
    : QQuickImageProvider(QQuickImageProvider::Image)
{}

QString ColoredImageProvider::localPath(const QUrl &url)
{
    if (url.scheme() == QLatin1String("qrc"))
        return QLatin1Char(':') + url.path();
    if (url.isLocalFile())
        return url.toLocalFile();
    if (url.scheme().isEmpty())
        return url.path();
    return QString(); // remote images are not fetched by this provider
}

QImage ColoredImageProvider::requestImage(const QString &id, QSize *size,
                                          const QSize &requestedSize)
{
    const int slash = id.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return QImage();
    const QColor color(QLatin1Char('#') + id.left(slash));
    const QUrl source(QUrl::fromPercentEncoding(id.mid(slash + 1).toUtf8()));

    QImageReader reader(localPath(source));
    const QSize natural = reader.size();
    if (size)
        *size = natural;
    if (natural.isValid() && (requestedSize.width() > 0 || requestedSize.height() > 0)) {
        QSize scaled = natural;
        if (requestedSize.width() > 0 && requestedSize.height() > 0)
            scaled.scale(requestedSize, Qt::KeepAspectRatio);
        else if (requestedSize.width() > 0)
            scaled = QSize(requestedSize.width(),
                           qMax(1, natural.height() * requestedSize.width() / natural.width()));
        else
            scaled = QSize(qMax(1, natural.width() * requestedSize.height() / natural.height()),
                           requestedSize.height());
        reader.setScaledSize(scaled);
    }
    QImage image = reader.read();
    if (image.isNull())
        return image;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (color.isValid()) {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), color);
    }
    return image;
}

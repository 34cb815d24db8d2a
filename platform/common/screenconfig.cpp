#include "screenconfig.h"

#include <QStringList>
#include <QtGlobal>
#include <algorithm>

namespace {

int positiveEnv(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

} // namespace

ScreenConfig ScreenConfig::fromEnvironment()
{
    ScreenConfig c;
    c.screenSize =
        QSize(positiveEnv("ZEL_SCREEN_WIDTH", 1280), positiveEnv("ZEL_SCREEN_HEIGHT", 800));
    c.rotation = normalizedRotation(qEnvironmentVariableIntValue("ZEL_SCREEN_ROTATION"));
    c.mask = parseMask(qEnvironmentVariable("ZEL_SCREEN_MASK"));
    c.designSize =
        QSize(positiveEnv("ZEL_DESIGN_WIDTH", 1280), positiveEnv("ZEL_DESIGN_HEIGHT", 800));
    return c;
}

int ScreenConfig::normalizedRotation(int degrees)
{
    return degrees == 90 || degrees == 180 || degrees == 270 ? degrees : 0;
}

QMargins ScreenConfig::parseMask(const QString &text, bool *ok)
{
    const QStringList parts = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    QList<int> values;
    for (const QString &p : parts) {
        bool valid = false;
        const int v = p.trimmed().toInt(&valid);
        if (!valid) {
            values.clear();
            break;
        }
        values.append(std::max(0, v));
    }
    const bool parsed = values.size() == 1 || values.size() == 4;
    if (ok)
        *ok = parsed || text.trimmed().isEmpty();
    if (!parsed)
        return {};
    if (values.size() == 1)
        return QMargins(values[0], values[0], values[0], values[0]);
    return QMargins(values[0], values[1], values[2], values[3]);
}

QSize ScreenConfig::availableSize() const
{
    const int w = std::max(0, screenSize.width() - mask.left() - mask.right());
    const int h = std::max(0, screenSize.height() - mask.top() - mask.bottom());
    return rotation == 90 || rotation == 270 ? QSize(h, w) : QSize(w, h);
}

qreal ScreenConfig::scaleFactor() const
{
    const int screenLong = std::max(screenSize.width(), screenSize.height());
    const int screenShort = std::min(screenSize.width(), screenSize.height());
    const int designLong = std::max(designSize.width(), designSize.height());
    const int designShort = std::min(designSize.width(), designSize.height());
    return std::min(qreal(screenLong) / designLong, qreal(screenShort) / designShort);
}

#include "virtualkeyboardsettings.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {

const QString fallbackLocale = QStringLiteral("en_GB");

// qrc: URLs and local files are both read through QFile's names.
QString localName(const QUrl &url)
{
    if (url.scheme() == QLatin1String("qrc"))
        return QLatin1Char(':') + url.path();
    if (url.isLocalFile())
        return url.toLocalFile();
    return QString();
}

QUrl child(const QUrl &base, const QString &relative)
{
    QUrl url = base;
    QString path = url.path();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    url.setPath(path + relative);
    return url;
}

bool exists(const QUrl &url)
{
    const QString name = localName(url);
    return !name.isEmpty() && QFileInfo::exists(name);
}

} // namespace

VirtualKeyboardSettings::VirtualKeyboardSettings(QObject *parent)
    : QObject(parent)
    , m_activeLocale(fallbackLocale)
{}

void VirtualKeyboardSettings::setLayoutPath(const QUrl &path)
{
    if (path == m_layoutPath)
        return;
    m_layoutPath = path;
    emit layoutPathChanged();
    updateActiveLocale();
}

void VirtualKeyboardSettings::setStylePath(const QUrl &path)
{
    if (path == m_stylePath)
        return;
    m_stylePath = path;
    emit stylePathChanged();
}

void VirtualKeyboardSettings::setLocale(const QString &locale)
{
    if (locale == m_locale)
        return;
    m_locale = locale;
    emit localeChanged();
    updateActiveLocale();
}

QUrl VirtualKeyboardSettings::layoutUrl(const QString &name) const
{
    if (m_layoutPath.isEmpty() || name.isEmpty())
        return QUrl();
    const QUrl url =
        child(m_layoutPath, m_activeLocale + QLatin1Char('/') + name + QStringLiteral(".qml"));
    return exists(url) ? url : QUrl();
}

QUrl VirtualKeyboardSettings::styleUrl(const QString &name) const
{
    if (m_stylePath.isEmpty() || name.isEmpty())
        return QUrl();
    const QUrl url = child(m_stylePath, name + QStringLiteral(".qml"));
    return exists(url) ? url : QUrl();
}

void VirtualKeyboardSettings::updateActiveLocale()
{
    const QString wanted = m_locale.isEmpty() ? QLocale().name() : m_locale;
    QString found = fallbackLocale;
    const QString base = localName(m_layoutPath);
    if (!base.isEmpty()) {
        const QDir dir(base);
        const QStringList locales = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        const QString language = wanted.section(QLatin1Char('_'), 0, 0);
        if (locales.contains(wanted)) {
            found = wanted;
        } else {
            for (const QString &candidate : locales) {
                if (candidate.section(QLatin1Char('_'), 0, 0) == language) {
                    found = candidate;
                    break;
                }
            }
        }
    }
    if (found == m_activeLocale)
        return;
    m_activeLocale = found;
    emit activeLocaleChanged();
}

#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

// Where the keyboard finds its layouts and key styles, and which locale it types in.
// Layouts are "<layoutPath>/<locale>/<name>.qml", styles "<stylePath>/<Name>.qml".
class VirtualKeyboardSettings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QUrl layoutPath READ layoutPath WRITE setLayoutPath NOTIFY layoutPathChanged)
    Q_PROPERTY(QUrl stylePath READ stylePath WRITE setStylePath NOTIFY stylePathChanged)
    // The locale asked for; empty means the system's.
    Q_PROPERTY(QString locale READ locale WRITE setLocale NOTIFY localeChanged)
    // The locale whose folder is used: the one asked for when the layout path has it, otherwise
    // the first of its language, otherwise en_GB.
    Q_PROPERTY(QString activeLocale READ activeLocale NOTIFY activeLocaleChanged)

public:
    explicit VirtualKeyboardSettings(QObject *parent = nullptr);

    QUrl layoutPath() const { return m_layoutPath; }
    void setLayoutPath(const QUrl &path);
    QUrl stylePath() const { return m_stylePath; }
    void setStylePath(const QUrl &path);
    QString locale() const { return m_locale; }
    void setLocale(const QString &locale);
    QString activeLocale() const { return m_activeLocale; }

    // "<layoutPath>/<activeLocale>/<name>.qml", or an empty URL when that file does not exist.
    Q_INVOKABLE QUrl layoutUrl(const QString &name) const;
    // "<stylePath>/<name>.qml", or an empty URL when that file does not exist.
    Q_INVOKABLE QUrl styleUrl(const QString &name) const;

signals:
    void layoutPathChanged();
    void stylePathChanged();
    void localeChanged();
    void activeLocaleChanged();

private:
    void updateActiveLocale();

    QUrl m_layoutPath;
    QUrl m_stylePath;
    QString m_locale;
    QString m_activeLocale;
};

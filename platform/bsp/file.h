#pragma once

#include <QObject>
#include <QString>

// File queries for the UI.
class File : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // True when something exists at the path; a "file:" URL is accepted as well.
    Q_INVOKABLE bool fileExists(const QString &path) const;
};

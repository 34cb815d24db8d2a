#pragma once

#include <QObject>

// Hands the C library's free heap pages back to the system. Every page load makes the web
// engine's threads allocate and free a little; with an arena of their own per thread, the
// allocator keeps what they free scattered and resident, and a page that reloads itself every
// few seconds grows the process by megabytes a day without a single leak. One arena for the
// whole process and a trim now and then keep it flat.
class HeapTrim : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Before the first thread starts: every thread shares the main arena.
    static void limitArenas();
    // As "HeapTrim" in the import "ControllerSelect 1.0".
    static void registerType();

    Q_INVOKABLE void trim();

signals:
    void trimmed();
};

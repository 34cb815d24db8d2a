#pragma once

class QGuiApplication;

// Start-up milestones with their wall-clock time, for measuring a cold start against a bare
// web view: "<milestone> <ms since the epoch>" on the "startup" logging category at info level,
// silent unless enabled (QT_LOGGING_RULES="startup.info=true").
namespace StartupTrace {

void mark(const char *milestone);

// Marks the first window's first exposure and its first frame, once.
void watchFirstFrame(QGuiApplication &app);

} // namespace StartupTrace

#include "startuptrace.h"

#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QQuickWindow>

namespace {

Q_LOGGING_CATEGORY(lcStartup, "startup", QtWarningMsg)

// Sees every event of the application until the first window is exposed, then leaves.
class FirstFrameWatch : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QQuickWindow *>(watched);
        if (event->type() != QEvent::Expose || !window)
            return false;
        StartupTrace::mark("window exposed");
        connect(window, &QQuickWindow::frameSwapped, this, [this] {
            StartupTrace::mark("first frame");
            deleteLater();
        });
        qApp->removeEventFilter(this);
        return false;
    }
};

} // namespace

namespace StartupTrace {

void mark(const char *milestone)
{
    qCInfo(lcStartup, "%s %lld", milestone, QDateTime::currentMSecsSinceEpoch());
}

void watchFirstFrame(QGuiApplication &app)
{
    if (lcStartup().isInfoEnabled())
        app.installEventFilter(new FirstFrameWatch(&app));
}

} // namespace StartupTrace

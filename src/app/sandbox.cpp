#include "sandbox.h"

#include "environment.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>
#include <cerrno>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The namespaces the engine clones each render process's zygote into. Forked, so that this
// process keeps its own; the child does nothing else.
bool canCreateNamespaces()
{
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0)
        _exit(unshare(CLONE_NEWUSER | CLONE_NEWPID | CLONE_NEWNET) == 0 ? 0 : 1);
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The engine's second layer, a system-call filter in each render process.
bool hasSeccomp()
{
    return prctl(PR_GET_SECCOMP, 0, 0, 0, 0) >= 0;
}

bool sandboxTurnedOff()
{
    if (qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        return true;
    const QByteArray flags = qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS")
                                 ? qgetenv("QTWEBENGINE_CHROMIUM_FLAGS")
                                 : QByteArray(Environment::webEngineFlags());
    return flags.split(' ').contains("--no-sandbox");
}

bool required()
{
    const QByteArray value = qgetenv("CONTROLLERSELECT_REQUIRE_SANDBOX");
    return !value.isEmpty() && value != "0";
}

} // namespace

namespace Sandbox {

bool prepare()
{
    if (sandboxTurnedOff())
        return true;
    const char *missing = !canCreateNamespaces() ? "user, PID and network namespaces"
                          : !hasSeccomp()        ? "system-call filters (seccomp)"
                                                 : nullptr;
    if (!missing)
        return true;
    if (required()) {
        qCritical("Not starting: the web engine's sandbox is required "
                  "(CONTROLLERSELECT_REQUIRE_SANDBOX), but the kernel gives this process no %s.",
                  missing);
        return false;
    }
    qWarning("The kernel gives this process no %s: web pages run without the web engine's "
             "sandbox. Set CONTROLLERSELECT_REQUIRE_SANDBOX=1 to refuse to start instead.",
             missing);
#if QT_VERSION < QT_VERSION_CHECK(5, 15, 0)
    // Where the engine's own fallback has not been seen to show pages, it is told plainly, so
    // that the display never waits on a render process that cannot start.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
    return true;
}

} // namespace Sandbox

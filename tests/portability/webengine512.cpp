// Qt 5.12's QtWebEngine::initialize(), preloaded into the application: written from 5.12's
// src/core/api/qtwebenginecoreglobal.cpp, where a call before the application object ends the
// process unless a shared GL context exists already. Later versions only warn.
#include <QCoreApplication>
#include <QOpenGLContext>
#include <dlfcn.h>

namespace QtWebEngine {

__attribute__((visibility("default"))) void initialize()
{
    if (QOpenGLContext::globalShareContext())
        return;
    if (!QCoreApplication::instance())
        qFatal("QtWebEngine::initialize() must be called after the construction of the "
               "application object.");
    using Initialize = void (*)();
    if (auto next = reinterpret_cast<Initialize>(dlsym(RTLD_NEXT, "_ZN11QtWebEngine10initializeEv")))
        next();
}

} // namespace QtWebEngine

#include "environment.h"

#include <QByteArray>
#include <QtGlobal>

namespace {

enum class When
{
    Always,
    OnlyWhenUnset
};

struct Variable
{
    const char *name;
    const char *value;
    When when;
};

// Order matters only for readability of the environment dump; it follows the board's start-up.
constexpr Variable kVariables[] = {
    {"QT_IM_MODULE", "zelvirtualkeyboard", When::Always},
    {"QT_QPA_PLATFORM", "eglfs", When::OnlyWhenUnset},
    {"QT_QPA_EGLFS_INTEGRATION", "eglfs_mali", When::OnlyWhenUnset},
    {"QT_QPA_EGLFS_FORCEVSYNC", "1", When::OnlyWhenUnset},
    {"QT_QPA_EGLFS_FORCE888", "1", When::OnlyWhenUnset},
    {"QSG_RENDER_LOOP", "basic", When::OnlyWhenUnset},
    {"FRONTBUFFER_LOCKING", "1", When::Always},
    {"MALI_NOCLEAR", "1", When::Always},
    {"XDG_CACHE_HOME", "/tmp/cache", When::OnlyWhenUnset},
    {"XDG_DATA_HOME", "/tmp/data", When::OnlyWhenUnset},
};

void apply(const char *name, const char *value, When when)
{
    // qEnvironmentVariableIsSet is true for a variable present with an empty value.
    if (when == When::OnlyWhenUnset && qEnvironmentVariableIsSet(name))
        return;
    qputenv(name, QByteArray(value));
}

} // namespace

namespace Environment {

void prepare()
{
    for (const Variable &v : kVariables)
        apply(v.name, v.value, v.when);
}

const char *webEngineFlags()
{
    return "--ignore-gpu-blacklist --egl --disable-es3-gl-context --use-gl=egl "
           "--enable-checker-imaging --num-raster-threads=3 --enable-gpu-rasterization "
           "--enable-native-gpu-memory-buffers --no-sandbox --touch-events=enabled";
}

void prepareWebEngineFlags()
{
    apply("QTWEBENGINE_CHROMIUM_FLAGS", webEngineFlags(), When::OnlyWhenUnset);
}

} // namespace Environment

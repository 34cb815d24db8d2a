#include "heaptrim.h"

#include <QQmlEngine>

#ifdef __GLIBC__
#include <malloc.h>
#endif

void HeapTrim::limitArenas()
{
#ifdef __GLIBC__
    mallopt(M_ARENA_MAX, 1);
#endif
}

void HeapTrim::registerType()
{
    qmlRegisterType<HeapTrim>("ControllerSelect", 1, 0, "HeapTrim");
}

void HeapTrim::trim()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    emit trimmed();
}

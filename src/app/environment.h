#pragma once

// The process environment the display needs before the application object exists, and the
// web engine's flags afterwards. A variable that is only a default is left alone when it is
// present at all, even empty, so that a developer or the board's start script can override it.
namespace Environment {

// Steps before the application object is created, in their fixed order.
void prepare();

// Sets the web engine's flags unless they were inherited; called once the application exists.
void prepareWebEngineFlags();

// The flag string used when none was inherited.
const char *webEngineFlags();

} // namespace Environment

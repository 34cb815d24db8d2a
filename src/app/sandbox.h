#pragma once

// The web engine keeps its render processes in user, PID and network namespaces of their own.
// Many board kernels give a service no user namespaces; the engine then starts its pages
// without that sandbox and says nothing. This finds out at start and says so once.
namespace Sandbox {

// Before the application object and any thread. Returns false when the process must not go on:
// CONTROLLERSELECT_REQUIRE_SANDBOX is set and the kernel cannot give the sandbox.
bool prepare();

} // namespace Sandbox

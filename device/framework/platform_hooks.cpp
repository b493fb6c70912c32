#include "platform_hooks.h"

namespace {

PlatformHooks g_hooks;

}  // namespace

void InstallPlatformHooks(const PlatformHooks& hooks) { g_hooks = hooks; }

const PlatformHooks& InstalledPlatformHooks() { return g_hooks; }

#pragma once
// The per-user runtime directory that Qt asks for at start-up.

namespace corvex {

// When the session names no runtime directory (XDG_RUNTIME_DIR, as under cron, ssh or xvfb-run), makes a
// private one (mode 0700) in the temporary folder and names it, so that Qt need not warn on stderr. Call
// before the application object is created.
void providePrivateRuntimeDir();

} // namespace corvex

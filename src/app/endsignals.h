#pragma once

// SIGTERM and SIGHUP (a logout, a shutdown, a closed terminal) end the
// running event loops, a dialog's too, so that the program leaves main as
// after a close, exit status 0, without saving or asking anything. Call it
// once the application exists. Unix only.
void QuitOnEndSignals();

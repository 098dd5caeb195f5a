#pragma once

namespace fretkit::host {

// Asks the scheduler to run the calling thread as a real-time audio thread. Without the
// privilege for it the thread keeps its normal priority; either way the caller goes on.
bool makeCurrentThreadRealtime();

} // namespace fretkit::host

#include "RealtimeThread.h"

#include <pthread.h>
#include <sched.h>

namespace fretkit::host {

bool makeCurrentThreadRealtime() {
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_FIFO) + 10;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
}

} // namespace fretkit::host

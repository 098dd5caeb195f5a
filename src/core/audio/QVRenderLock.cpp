#include "QVRenderLock.h"

#include <cstdlib>

QVRenderLock::QVRenderLock() {
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    inheritsPriority_ = pthread_mutexattr_setprotocol(&attributes, PTHREAD_PRIO_INHERIT) == 0;
    if (pthread_mutex_init(&mutex_, &attributes) != 0) {
        // A kernel without priority-inheritance futexes: a plain mutex still keeps the render
        // and its changes apart.
        inheritsPriority_ = false;
        if (pthread_mutex_init(&mutex_, nullptr) != 0) {
            std::abort(); // no mutex at all: nothing could be played safely
        }
    }
    pthread_mutexattr_destroy(&attributes);
}

QVRenderLock::~QVRenderLock() {
    pthread_mutex_destroy(&mutex_);
}

void QVRenderLock::lock() {
    pthread_mutex_lock(&mutex_);
}

bool QVRenderLock::try_lock() {
    return pthread_mutex_trylock(&mutex_) == 0;
}

void QVRenderLock::unlock() {
    pthread_mutex_unlock(&mutex_);
}

#pragma once

#include <memory>
#include <pthread.h>

// The stream's render lock: held by the audio thread for the whole of each render cycle and by
// any other thread while it changes what that cycle reads. A mutex with priority inheritance,
// so that an interface thread holding it runs at the audio thread's priority until it lets go:
// the audio thread then waits for the short change alone, never for whatever else would have
// pre-empted that thread. Where the system refuses the protocol it is a plain mutex.
//
// Not recursive. Meets the standard's Lockable requirements, so std::lock_guard takes it.
class QVRenderLock {
public:
    QVRenderLock();
    ~QVRenderLock();
    QVRenderLock(const QVRenderLock&) = delete;
    QVRenderLock& operator=(const QVRenderLock&) = delete;

    // Any thread.
    void lock();
    bool try_lock();
    void unlock();

    // Whether the lock lends its waiters' priority to its holder.
    bool inheritsPriority() const { return inheritsPriority_; }

private:
    pthread_mutex_t mutex_;
    bool inheritsPriority_ = false;
};

// Engines that mix into the stream share its render lock and keep it alive: a screen may
// outlive the stream it played through.
using QVRenderLockPtr = std::shared_ptr<QVRenderLock>;

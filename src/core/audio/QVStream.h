#pragma once

#include "QVError.h"
#include "QVRenderLock.h"
#include "host/AudioProcessingGraph.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QVEffect;

// One processing graph and its render lock. Every life-cycle operation is idempotent through
// its guard and reports a failing graph call as a QVStreamError.
//
// renderLock is held by the audio thread for the whole of each render cycle, and by any other
// thread while it changes what that cycle reads (tools' playback state, unit properties, reset).
// It is not recursive: never write an effect property while holding it. The engines that mix
// into the stream share it (sharedRenderLock); it outlives the stream while they hold it.
class QVStream {
public:
    // A stream with the render lock its engines were made with, or (null) one of its own.
    explicit QVStream(QVRenderLockPtr renderLock = std::make_shared<QVRenderLock>());
    virtual ~QVStream();
    QVStream(const QVStream&) = delete;
    QVStream& operator=(const QVStream&) = delete;

    bool create(QVErrorPtr* error = nullptr);
    bool destroy(QVErrorPtr* error = nullptr);
    bool open(QVErrorPtr* error = nullptr);
    virtual bool close(QVErrorPtr* error = nullptr);
    bool initialize(QVErrorPtr* error = nullptr);
    bool uninitialize(QVErrorPtr* error = nullptr);
    bool start(QVErrorPtr* error = nullptr);
    bool stop(QVErrorPtr* error = nullptr);
    bool clearConnections(QVErrorPtr* error = nullptr);

    bool addEffect(QVEffect& effect, QVErrorPtr* error = nullptr);
    bool removeEffect(QVEffect& effect, QVErrorPtr* error = nullptr);
    bool connectOutputOfEffect(QVEffect& source, std::uint32_t sourceBus, QVEffect& destination,
                               std::uint32_t destinationBus, QVErrorPtr* error = nullptr);
    bool connectOutputOfEffect(QVEffect& source, QVEffect& destination,
                               QVErrorPtr* error = nullptr);
    bool connectOutputOfEffect(QVEffect& source, QVEffect& destination,
                               std::uint32_t destinationBus, QVErrorPtr* error = nullptr);

    bool isOpen() const;
    bool isInitialized() const;
    bool isRunning() const;
    float cpuLoad() const;
    // The dropouts the device under the graph has counted since it was made; any thread.
    std::uint64_t underrunCount() const;
    std::uint64_t overrunCount() const;
    fretkit::host::AudioUnit* audioUnitForEffect(const QVEffect& effect) const;
    // The node's component description as its 20 bytes, or nullopt.
    std::optional<std::vector<std::uint8_t>> componentDataForEffect(const QVEffect& effect) const;

    QVRenderLock& renderLock() const { return *renderLock_; }
    const QVRenderLockPtr& sharedRenderLock() const { return renderLock_; }
    fretkit::host::AudioProcessingGraph* graph() const { return graph_.get(); }

private:
    std::unique_ptr<fretkit::host::AudioProcessingGraph> graph_;
    QVRenderLockPtr renderLock_;
};

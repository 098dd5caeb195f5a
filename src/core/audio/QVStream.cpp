#include "QVStream.h"

#include "QVEffect.h"
#include "QVStreamError.h"

#include <cstring>

using namespace fretkit::host;

namespace {

bool check(OSStatus status, const char* action, QVErrorPtr* error) {
    if (status != noErr && error != nullptr) {
        *error = QVStreamError::errorWithCode(status, action);
    }
    return status == noErr;
}

} // namespace

QVStream::QVStream(QVRenderLockPtr renderLock)
    : renderLock_(renderLock ? std::move(renderLock) : std::make_shared<QVRenderLock>()) {}

QVStream::~QVStream() = default;

bool QVStream::create(QVErrorPtr* error) {
    if (graph_) {
        return true;
    }
    return check(AudioProcessingGraph::create(graph_), "Creating the stream", error);
}

bool QVStream::destroy(QVErrorPtr* error) {
    if (!graph_) {
        return true;
    }
    // Disposing cannot fail here; the reference goes either way.
    graph_.reset();
    return check(noErr, "Destroying the stream", error);
}

bool QVStream::open(QVErrorPtr* error) {
    if (isOpen()) {
        return true;
    }
    if (!graph_) {
        return check(kAUGraphErr_InvalidAudioUnit, "Opening the stream", error);
    }
    return check(graph_->open(), "Opening the stream", error);
}

bool QVStream::close(QVErrorPtr* error) {
    if (!isOpen()) {
        return true;
    }
    return check(graph_->close(), "Closing the stream", error);
}

bool QVStream::initialize(QVErrorPtr* error) {
    if (isInitialized()) {
        return true;
    }
    if (!graph_) {
        return check(kAUGraphErr_InvalidAudioUnit, "Initializing the stream", error);
    }
    return check(graph_->initialize(), "Initializing the stream", error);
}

bool QVStream::uninitialize(QVErrorPtr* error) {
    if (!isInitialized()) {
        return true;
    }
    return check(graph_->uninitialize(), "Uninitializing the stream", error);
}

bool QVStream::start(QVErrorPtr* error) {
    if (!graph_) {
        return false;
    }
    if (isRunning()) {
        return true;
    }
    return check(graph_->start(), "Starting the stream", error);
}

bool QVStream::stop(QVErrorPtr* error) {
    if (!graph_ || !isRunning()) {
        return true;
    }
    OSStatus status = noErr;
    do {
        status = graph_->stop();
    } while (graph_->isRunning());
    return check(status, "Stopping the stream", error);
}

bool QVStream::clearConnections(QVErrorPtr* error) {
    if (!graph_) {
        return check(kAUGraphErr_InvalidAudioUnit, "Clearing the stream connections", error);
    }
    return check(graph_->clearConnections(), "Clearing the stream connections", error);
}

bool QVStream::addEffect(QVEffect& effect, QVErrorPtr* error) {
    AUNode node = 0;
    const OSStatus status = graph_ ? graph_->addNode(*effect.componentDescription(), &node)
                                   : kAUGraphErr_InvalidAudioUnit;
    if (!check(status, "Adding", error)) {
        return false;
    }
    effect.setStream(this, node);
    return true;
}

bool QVStream::removeEffect(QVEffect& effect, QVErrorPtr* error) {
    const OSStatus status = graph_ ? graph_->removeNode(effect.node()) : kAUGraphErr_NodeNotFound;
    effect.setStream(nullptr, 0);
    return check(status, "Removing", error);
}

bool QVStream::connectOutputOfEffect(QVEffect& source, std::uint32_t sourceBus,
                                     QVEffect& destination, std::uint32_t destinationBus,
                                     QVErrorPtr* error) {
    const OSStatus status = graph_ ? graph_->connectNodeInput(source.node(), sourceBus,
                                                              destination.node(), destinationBus)
                                   : kAUGraphErr_NodeNotFound;
    return check(status, "Connecting the output to the input", error);
}

bool QVStream::connectOutputOfEffect(QVEffect& source, QVEffect& destination, QVErrorPtr* error) {
    return connectOutputOfEffect(source, 0, destination, 0, error);
}

bool QVStream::connectOutputOfEffect(QVEffect& source, QVEffect& destination,
                                     std::uint32_t destinationBus, QVErrorPtr* error) {
    return connectOutputOfEffect(source, 0, destination, destinationBus, error);
}

bool QVStream::isOpen() const {
    return graph_ && graph_->isOpen();
}

bool QVStream::isInitialized() const {
    return graph_ && graph_->isInitialized();
}

bool QVStream::isRunning() const {
    return graph_ && graph_->isRunning();
}

float QVStream::cpuLoad() const {
    return graph_ ? graph_->cpuLoad() : 0.0f;
}

std::uint64_t QVStream::underrunCount() const {
    return graph_ ? graph_->xruns().underruns : 0;
}

std::uint64_t QVStream::overrunCount() const {
    return graph_ ? graph_->xruns().overruns : 0;
}

AudioUnit* QVStream::audioUnitForEffect(const QVEffect& effect) const {
    AudioUnit* unit = nullptr;
    if (!graph_ || graph_->nodeInfo(effect.node(), nullptr, &unit) != noErr) {
        return nullptr;
    }
    return unit;
}

std::optional<std::vector<std::uint8_t>>
QVStream::componentDataForEffect(const QVEffect& effect) const {
    AudioComponentDescription description{};
    if (!graph_ || graph_->nodeInfo(effect.node(), &description, nullptr) != noErr) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> data(sizeof(description));
    std::memcpy(data.data(), &description, sizeof(description));
    return data;
}

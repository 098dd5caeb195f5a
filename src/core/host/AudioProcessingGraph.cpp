#include "AudioProcessingGraph.h"

#include "HostFaults.h"
#include "RemoteIOUnit.h"

#include <algorithm>
#include <cstring>

namespace fretkit::host {

OSStatus AudioProcessingGraph::create(std::unique_ptr<AudioProcessingGraph>& graph) {
    if (const OSStatus status = HostFaults::check(HostCall::NewGraph); status != noErr) {
        return status;
    }
    graph.reset(new AudioProcessingGraph());
    return noErr;
}

AudioProcessingGraph::~AudioProcessingGraph() {
    stop();
    uninitialize();
    close();
}

AudioProcessingGraph::Node* AudioProcessingGraph::find(AUNode node) {
    auto it =
        std::find_if(nodes_.begin(), nodes_.end(), [&](const Node& n) { return n.id == node; });
    return it != nodes_.end() ? &*it : nullptr;
}

const AudioProcessingGraph::Node* AudioProcessingGraph::find(AUNode node) const {
    return const_cast<AudioProcessingGraph*>(this)->find(node);
}

OSStatus AudioProcessingGraph::addNode(const AudioComponentDescription& description, AUNode* node) {
    if (const OSStatus status = HostFaults::check(HostCall::AddNode); status != noErr) {
        return status;
    }
    if (node == nullptr) {
        return kAudio_ParamError;
    }
    if (description.componentType == kAudioUnitType_Output &&
        std::any_of(nodes_.begin(), nodes_.end(), [](const Node& n) {
            return n.description.componentType == kAudioUnitType_Output;
        })) {
        return kAUGraphErr_OutputNodeErr;
    }
    Node added{nextNode_, description, nullptr};
    if (open_) {
        if (const OSStatus status = AudioComponents::instantiate(description, added.unit);
            status != noErr) {
            return status;
        }
    }
    nodes_.push_back(std::move(added));
    *node = nextNode_++;
    return noErr;
}

OSStatus AudioProcessingGraph::removeNode(AUNode node) {
    Node* found = find(node);
    if (found == nullptr) {
        return kAUGraphErr_NodeNotFound;
    }
    if (initialized_) {
        return kAudioUnitErr_CannotDoInCurrentContext;
    }
    std::erase_if(connections_,
                  [&](const Connection& c) { return c.source == node || c.destination == node; });
    for (Node& other : nodes_) {
        if (other.unit && found->unit) {
            other.unit->forgetSource(found->unit.get());
        }
    }
    nodes_.erase(nodes_.begin() + (found - nodes_.data()));
    return noErr;
}

OSStatus AudioProcessingGraph::nodeInfo(AUNode node, AudioComponentDescription* description,
                                        AudioUnit** unit) const {
    const Node* found = find(node);
    if (found == nullptr) {
        return kAUGraphErr_NodeNotFound;
    }
    if (description != nullptr) {
        *description = found->description;
    }
    if (unit != nullptr) {
        *unit = found->unit.get();
    }
    return noErr;
}

OSStatus AudioProcessingGraph::open() {
    if (open_) {
        return noErr;
    }
    if (const OSStatus status = HostFaults::check(HostCall::OpenGraph); status != noErr) {
        return status;
    }
    for (Node& node : nodes_) {
        if (const OSStatus status = AudioComponents::instantiate(node.description, node.unit);
            status != noErr) {
            for (Node& opened : nodes_) {
                opened.unit.reset();
            }
            return status;
        }
    }
    open_ = true;
    return noErr;
}

OSStatus AudioProcessingGraph::close() {
    if (!open_) {
        return noErr;
    }
    stop();
    uninitialize();
    for (Node& node : nodes_) {
        node.unit.reset();
    }
    open_ = false;
    return noErr;
}

OSStatus AudioProcessingGraph::applyConnection(const Connection& c) {
    Node* source = find(c.source);
    Node* destination = find(c.destination);
    if (source == nullptr || destination == nullptr) {
        return kAUGraphErr_NodeNotFound;
    }
    AudioUnit& from = *source->unit;
    AudioUnit& to = *destination->unit;
    if (c.sourceBus >= from.elementCount(kAudioUnitScope_Output) ||
        c.destinationBus >= to.elementCount(kAudioUnitScope_Input)) {
        return kAUGraphErr_InvalidConnection;
    }
    // The source renders in the format its destination pulls.
    const AudioStreamBasicDescription* wanted =
        to.streamFormat(kAudioUnitScope_Input, c.destinationBus);
    const AudioStreamBasicDescription* offered =
        from.streamFormat(kAudioUnitScope_Output, c.sourceBus);
    if (std::memcmp(wanted, offered, sizeof(*wanted)) != 0) {
        if (const OSStatus status = from.adoptOutputFormat(c.sourceBus, *wanted); status != noErr) {
            return status;
        }
    }
    return to.setInputConnection(c.destinationBus, &from, c.sourceBus);
}

OSStatus AudioProcessingGraph::initialize() {
    if (initialized_) {
        return noErr;
    }
    if (!open_) {
        return kAudioUnitErr_Uninitialized;
    }
    if (const OSStatus status = HostFaults::check(HostCall::InitializeGraph); status != noErr) {
        return status;
    }
    for (const Connection& c : connections_) {
        if (const OSStatus status = applyConnection(c); status != noErr) {
            return status;
        }
    }
    for (Node& node : nodes_) {
        if (const OSStatus status = node.unit->initialize(); status != noErr) {
            for (Node& other : nodes_) {
                other.unit->uninitialize();
            }
            return status;
        }
    }
    initialized_ = true;
    return noErr;
}

OSStatus AudioProcessingGraph::uninitialize() {
    if (!initialized_) {
        return noErr;
    }
    stop();
    for (Node& node : nodes_) {
        node.unit->uninitialize();
    }
    initialized_ = false;
    return noErr;
}

OSStatus AudioProcessingGraph::start() {
    if (!initialized_) {
        return kAudioUnitErr_Uninitialized;
    }
    if (const OSStatus status = HostFaults::check(HostCall::StartGraph); status != noErr) {
        return status;
    }
    RemoteIOUnit* output = outputUnit();
    return output != nullptr ? output->start() : noErr;
}

OSStatus AudioProcessingGraph::stop() {
    if (RemoteIOUnit* output = outputUnit()) {
        return output->stop();
    }
    return noErr;
}

bool AudioProcessingGraph::isRunning() const {
    const RemoteIOUnit* output = outputUnit();
    return output != nullptr && output->isRunning();
}

OSStatus AudioProcessingGraph::connectNodeInput(AUNode source, std::uint32_t sourceBus,
                                                AUNode destination, std::uint32_t destinationBus) {
    if (const OSStatus status = HostFaults::check(HostCall::ConnectNodes); status != noErr) {
        return status;
    }
    if (find(source) == nullptr || find(destination) == nullptr) {
        return kAUGraphErr_NodeNotFound;
    }
    if (std::any_of(connections_.begin(), connections_.end(), [&](const Connection& c) {
            return c.destination == destination && c.destinationBus == destinationBus;
        })) {
        return kAUGraphErr_InvalidConnection; // one source per input bus
    }
    const Connection connection{source, sourceBus, destination, destinationBus};
    if (initialized_) {
        if (const OSStatus status = applyConnection(connection); status != noErr) {
            return status;
        }
    }
    connections_.push_back(connection);
    return noErr;
}

OSStatus AudioProcessingGraph::clearConnections() {
    if (open_) {
        for (const Connection& c : connections_) {
            find(c.destination)->unit->setInputConnection(c.destinationBus, nullptr, 0);
        }
    }
    connections_.clear();
    return noErr;
}

float AudioProcessingGraph::cpuLoad() const {
    const RemoteIOUnit* output = outputUnit();
    return output != nullptr && output->isRunning() ? output->cpuLoad() : 0.0f;
}

AudioDeviceXruns AudioProcessingGraph::xruns() const {
    const RemoteIOUnit* output = outputUnit();
    return output != nullptr ? output->xruns() : AudioDeviceXruns{};
}

RemoteIOUnit* AudioProcessingGraph::outputUnit() const {
    for (const Node& node : nodes_) {
        if (node.description.componentType == kAudioUnitType_Output && node.unit) {
            return static_cast<RemoteIOUnit*>(node.unit.get());
        }
    }
    return nullptr;
}

} // namespace fretkit::host

#pragma once

#include "AudioDevice.h"
#include "AudioUnit.h"

#include <memory>
#include <vector>

namespace fretkit::host {

class RemoteIOUnit;

// A graph of audio units: nodes made from component descriptions, connections from output
// buses to input buses, and the life cycle created -> open -> initialised -> running. At most
// one output unit; starting the graph starts it, and the device then pulls the graph.
class AudioProcessingGraph {
public:
    // A new, empty graph, or a status.
    static OSStatus create(std::unique_ptr<AudioProcessingGraph>& graph);
    ~AudioProcessingGraph();

    OSStatus addNode(const AudioComponentDescription& description, AUNode* node);
    OSStatus removeNode(AUNode node);
    OSStatus nodeInfo(AUNode node, AudioComponentDescription* description, AudioUnit** unit) const;

    OSStatus open();
    OSStatus close();
    OSStatus initialize();
    OSStatus uninitialize();
    OSStatus start();
    OSStatus stop();
    bool isOpen() const { return open_; }
    bool isInitialized() const { return initialized_; }
    bool isRunning() const;

    OSStatus connectNodeInput(AUNode source, std::uint32_t sourceBus, AUNode destination,
                              std::uint32_t destinationBus);
    OSStatus clearConnections();
    // The output unit's share of the buffer duration spent rendering, 0 when not running.
    float cpuLoad() const;
    // The dropouts of the output unit's device; none before the graph is open.
    AudioDeviceXruns xruns() const;
    // The output unit, once open; null before.
    RemoteIOUnit* outputUnit() const;

private:
    AudioProcessingGraph() = default;

    struct Node {
        AUNode id;
        AudioComponentDescription description;
        std::unique_ptr<AudioUnit> unit;
    };
    struct Connection {
        AUNode source;
        std::uint32_t sourceBus;
        AUNode destination;
        std::uint32_t destinationBus;
    };

    Node* find(AUNode node);
    const Node* find(AUNode node) const;
    OSStatus applyConnection(const Connection& connection);

    std::vector<Node> nodes_;
    std::vector<Connection> connections_;
    AUNode nextNode_ = 1;
    bool open_ = false;
    bool initialized_ = false;
};

} // namespace fretkit::host

#include "SystemSounds.h"

#include "AudioDeviceLayer.h"
#include "ExtendedAudioFile.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace fretkit::host {

namespace {

struct Sound {
    std::vector<float> samples; // interleaved at the device's channels
    std::uint32_t channels = 0;
    std::uint32_t frames = 0;
};

// A voice is written by the main thread while inactive and read by the audio thread while
// active; `active` hands it over in each direction.
struct Voice {
    std::atomic<bool> active{false};
    const Sound* sound = nullptr;
    std::uint32_t position = 0;
};

struct Registry {
    std::mutex mutex; // main-thread bookkeeping only; the audio thread never takes it
    std::map<SystemSoundID, std::unique_ptr<Sound>> sounds;
    std::vector<std::unique_ptr<Sound>> disposed; // freed once no voice plays them
    SystemSoundID nextID = 4096;
    std::array<Voice, SystemSounds::kVoices> voices;
    std::atomic<int> outputs{0};

    bool inUse(const Sound* sound) const {
        return std::any_of(voices.begin(), voices.end(), [&](const Voice& v) {
            return v.active.load(std::memory_order_acquire) && v.sound == sound;
        });
    }
    void collect() {
        std::erase_if(disposed, [&](const std::unique_ptr<Sound>& s) { return !inUse(s.get()); });
    }
};

Registry& registry() {
    static Registry* shared = new Registry();
    return *shared;
}

} // namespace

void SystemSounds::prepare() {
    registry();
}

OSStatus SystemSounds::createSystemSoundID(const std::string& path, SystemSoundID* id) {
    if (id == nullptr) {
        return kAudio_ParamError;
    }
    std::unique_ptr<ExtendedAudioFile> file;
    if (const OSStatus status = ExtendedAudioFile::open(path, file); status != noErr) {
        return status;
    }
    const AudioDeviceInfo device = AudioDeviceLayer::current().info();
    AudioStreamBasicDescription client{};
    client.mSampleRate = device.sampleRate;
    client.mFormatID = kAudioFormatLinearPCM;
    client.mFormatFlags = kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked;
    client.mChannelsPerFrame = std::max(device.outputChannels, 1u);
    client.mBitsPerChannel = 32;
    client.mFramesPerPacket = 1;
    client.mBytesPerFrame = client.mBytesPerPacket = 4 * client.mChannelsPerFrame;
    if (const OSStatus status = file->setClientDataFormat(client); status != noErr) {
        return status;
    }
    auto sound = std::make_unique<Sound>();
    sound->channels = client.mChannelsPerFrame;
    std::vector<float> chunk(std::size_t{4096} * sound->channels);
    for (;;) {
        std::uint32_t frames = 4096;
        AudioBufferList list{
            1, {{sound->channels, static_cast<std::uint32_t>(chunk.size() * 4), chunk.data()}}};
        if (const OSStatus status = file->read(frames, list); status != noErr) {
            return status;
        }
        if (frames == 0) {
            break;
        }
        sound->samples.insert(sound->samples.end(), chunk.data(),
                              chunk.data() + std::size_t{frames} * sound->channels);
    }
    sound->frames = static_cast<std::uint32_t>(sound->samples.size() / sound->channels);
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    *id = r.nextID++;
    r.sounds.emplace(*id, std::move(sound));
    return noErr;
}

void SystemSounds::play(SystemSoundID id) {
    Registry& r = registry();
    if (r.outputs.load(std::memory_order_acquire) <= 0) {
        return;
    }
    std::lock_guard lock(r.mutex);
    const auto found = r.sounds.find(id);
    if (found == r.sounds.end() || found->second->frames == 0) {
        return;
    }
    for (Voice& voice : r.voices) {
        if (!voice.active.load(std::memory_order_acquire)) {
            voice.sound = found->second.get();
            voice.position = 0;
            voice.active.store(true, std::memory_order_release);
            return;
        }
    }
}

OSStatus SystemSounds::dispose(SystemSoundID id) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    const auto found = r.sounds.find(id);
    if (found == r.sounds.end()) {
        return kAudio_ParamError;
    }
    r.disposed.push_back(std::move(found->second));
    r.sounds.erase(found);
    r.collect();
    return noErr;
}

std::uint32_t SystemSounds::playingCount() {
    Registry& r = registry();
    return static_cast<std::uint32_t>(
        std::count_if(r.voices.begin(), r.voices.end(),
                      [](const Voice& v) { return v.active.load(std::memory_order_acquire); }));
}

void SystemSounds::outputStarted() {
    registry().outputs.fetch_add(1, std::memory_order_acq_rel);
}

void SystemSounds::outputStopped() {
    registry().outputs.fetch_sub(1, std::memory_order_acq_rel);
}

bool SystemSounds::isOutputRunning() {
    return registry().outputs.load(std::memory_order_acquire) > 0;
}

void SystemSounds::mixInto(float* output, std::uint32_t frames, std::uint32_t channels) {
    for (Voice& voice : registry().voices) {
        if (!voice.active.load(std::memory_order_acquire)) {
            continue;
        }
        const Sound& sound = *voice.sound;
        const std::uint32_t count = std::min(frames, sound.frames - voice.position);
        const std::uint32_t shared = std::min(channels, sound.channels);
        for (std::uint32_t i = 0; i < count; ++i) {
            const float* from = &sound.samples[std::size_t{voice.position + i} * sound.channels];
            float* to = output + std::size_t{i} * channels;
            for (std::uint32_t c = 0; c < shared; ++c) {
                to[c] += from[c];
            }
        }
        voice.position += count;
        if (voice.position >= sound.frames) {
            voice.active.store(false, std::memory_order_release);
        }
    }
}

} // namespace fretkit::host

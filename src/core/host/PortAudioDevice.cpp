#include "PortAudioDevice.h"

#include "HostTime.h"

#include <algorithm>
#include <dlfcn.h>
#include <mutex>
#include <portaudio.h>

namespace fretkit::host {

namespace {

// ALSA and JACK print dozens of lines while PortAudio probes devices that are absent or busy;
// their error handlers are replaced by silent ones, reached at run time so that neither
// library is a build dependency.
extern "C" void silentAlsaHandler(const char*, int, const char*, int, const char*, ...) {}
extern "C" void silentJackHandler(const char*) {}

void silenceAudioLibraries() {
    if (void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_NOLOAD)) {
        using Setter = int (*)(void (*)(const char*, int, const char*, int, const char*, ...));
        if (auto set = reinterpret_cast<Setter>(dlsym(alsa, "snd_lib_error_set_handler"))) {
            set(&silentAlsaHandler);
        }
    }
    if (void* jack = dlopen("libjack.so.0", RTLD_LAZY)) {
        using Setter = void (*)(void (*)(const char*));
        for (const char* name : {"jack_set_error_function", "jack_set_info_function"}) {
            if (auto set = reinterpret_cast<Setter>(dlsym(jack, name))) {
                set(&silentJackHandler);
            }
        }
    }
}

// PortAudio is initialised once per process and stays so.
bool initializePortAudio() {
    static const bool ready = [] {
        silenceAudioLibraries();
        return Pa_Initialize() == paNoError;
    }();
    return ready;
}

int streamCallback(const void* input, void* output, unsigned long frames,
                   const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags flags, void* device) {
    static_cast<PortAudioDevice*>(device)->runCycle(
        input, output, frames, (flags & (paInputUnderflow | paOutputUnderflow)) != 0,
        (flags & (paInputOverflow | paOutputOverflow)) != 0);
    return paContinue;
}

void streamFinished(void* device) {
    static_cast<PortAudioDevice*>(device)->streamFinished();
}

std::uint32_t usableChannels(int channels) {
    return static_cast<std::uint32_t>(std::clamp(channels, 0, 2));
}

} // namespace

std::unique_ptr<PortAudioDevice> PortAudioDevice::create(std::string* error) {
    if (!initializePortAudio()) {
        if (error != nullptr) {
            *error = "the audio system could not be started";
        }
        return nullptr;
    }
    const PaDeviceIndex output = Pa_GetDefaultOutputDevice();
    const PaDeviceInfo* outputInfo = output != paNoDevice ? Pa_GetDeviceInfo(output) : nullptr;
    if (outputInfo == nullptr || outputInfo->maxOutputChannels <= 0) {
        if (error != nullptr) {
            *error = "there is no audio output device";
        }
        return nullptr;
    }
    std::unique_ptr<PortAudioDevice> device(new PortAudioDevice());
    device->outputDevice_ = output;
    device->info_.outputChannels = usableChannels(outputInfo->maxOutputChannels);
    device->info_.outputLatency = outputInfo->defaultLowOutputLatency;
    device->info_.name = outputInfo->name;
    device->info_.route = std::string("Speaker (") + outputInfo->name + ")";
    const PaDeviceIndex input = Pa_GetDefaultInputDevice();
    const PaDeviceInfo* inputInfo = input != paNoDevice ? Pa_GetDeviceInfo(input) : nullptr;
    if (inputInfo != nullptr && inputInfo->maxInputChannels > 0) {
        device->inputDevice_ = input;
        device->info_.inputChannels = usableChannels(inputInfo->maxInputChannels);
        device->info_.inputLatency = inputInfo->defaultLowInputLatency;
        device->info_.route += std::string(" and Microphone (") + inputInfo->name + ")";
    }
    device->chooseRate(44100.0);
    return device;
}

PortAudioDevice::~PortAudioDevice() {
    stop();
}

std::vector<std::string> PortAudioDevice::deviceDescriptions() {
    std::vector<std::string> lines;
    if (!initializePortAudio()) {
        return lines;
    }
    for (PaDeviceIndex i = 0; i < Pa_GetDeviceCount(); ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (info == nullptr) {
            continue;
        }
        const PaHostApiInfo* api = Pa_GetHostApiInfo(info->hostApi);
        lines.push_back(std::string(info->name) + " (" + (api != nullptr ? api->name : "?") +
                        "): " + std::to_string(info->maxInputChannels) + " in, " +
                        std::to_string(info->maxOutputChannels) + " out, " +
                        std::to_string(static_cast<long>(info->defaultSampleRate)) + " Hz");
    }
    return lines;
}

void PortAudioDevice::chooseRate(double wanted) {
    PaStreamParameters out{outputDevice_, static_cast<int>(info_.outputChannels), paFloat32,
                           info_.outputLatency, nullptr};
    PaStreamParameters in{inputDevice_, static_cast<int>(info_.inputChannels), paFloat32,
                          info_.inputLatency, nullptr};
    const PaStreamParameters* inParams = inputDevice_ >= 0 ? &in : nullptr;
    if (Pa_IsFormatSupported(inParams, &out, wanted) == paFormatIsSupported) {
        info_.sampleRate = wanted;
    } else {
        info_.sampleRate = Pa_GetDeviceInfo(outputDevice_)->defaultSampleRate;
    }
}

void PortAudioDevice::setPreferredSampleRate(double rate) {
    if (rate > 0.0 && stream_ == nullptr) {
        chooseRate(rate);
    }
}

void PortAudioDevice::setPreferredBufferFrames(std::uint32_t frames) {
    info_.bufferFrames = std::clamp(frames, 64u, 4096u);
}

OSStatus PortAudioDevice::start(AudioDeviceClient& client) {
    if (stream_ != nullptr) {
        return noErr;
    }
    client_ = &client;
    sampleTime_ = 0.0;
    stopping_.store(false);
    PaStreamParameters out{outputDevice_, static_cast<int>(info_.outputChannels), paFloat32,
                           info_.outputLatency, nullptr};
    PaStreamParameters in{inputDevice_, static_cast<int>(info_.inputChannels), paFloat32,
                          info_.inputLatency, nullptr};
    PaStream* stream = nullptr;
    PaError status =
        Pa_OpenStream(&stream, inputDevice_ >= 0 ? &in : nullptr, &out, info_.sampleRate,
                      info_.bufferFrames, paClipOff, &streamCallback, this);
    if (status == paNoError) {
        Pa_SetStreamFinishedCallback(stream, &fretkit::host::streamFinished);
        status = Pa_StartStream(stream);
        if (status != paNoError) {
            Pa_CloseStream(stream);
        }
    }
    if (status != paNoError) {
        return status;
    }
    stream_ = stream;
    const PaStreamInfo* streamInfo = Pa_GetStreamInfo(stream);
    streamOutputLatency_.store(streamInfo != nullptr ? streamInfo->outputLatency : 0.0);
    return noErr;
}

void PortAudioDevice::stop() {
    if (stream_ == nullptr) {
        return;
    }
    stopping_.store(true);
    auto* stream = static_cast<PaStream*>(stream_);
    Pa_StopStream(stream);
    Pa_CloseStream(stream);
    stream_ = nullptr;
    streamOutputLatency_.store(0.0);
}

void PortAudioDevice::runCycle(const void* input, void* output, unsigned long frames, bool underrun,
                               bool overrun) {
    if (underrun) {
        countUnderrun();
    }
    if (overrun) {
        countOverrun();
    }
    PortAudioDevice* device = this;
    AudioDeviceCycle cycle;
    cycle.frames = static_cast<std::uint32_t>(frames);
    cycle.input = static_cast<const float*>(input);
    cycle.inputChannels = input != nullptr ? device->info_.inputChannels : 0;
    cycle.output = static_cast<float*>(output);
    cycle.outputChannels = device->info_.outputChannels;
    cycle.timeStamp.mSampleTime = device->sampleTime_;
    cycle.timeStamp.mHostTime = hostAbsoluteTime();
    cycle.timeStamp.mFlags = kAudioTimeStampSampleTimeValid | kAudioTimeStampHostTimeValid;
    device->client_->deviceCycle(cycle);
    device->sampleTime_ += static_cast<double>(frames);
}

void PortAudioDevice::streamFinished() {
    // The stream ended without being asked to: the device failed or went away.
    if (!stopping_.load()) {
        client_->deviceStopped(paDeviceUnavailable, "the audio device stopped");
    }
}

} // namespace fretkit::host

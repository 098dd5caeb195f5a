#include "Log.h"

#include "StringFormat.h"

#include <cstdio>
#include <mutex>

namespace fretkit {
namespace {

std::mutex& sinkMutex() {
    static std::mutex mutex;
    return mutex;
}

Log::Sink& currentSink() {
    static Log::Sink sink;
    return sink;
}

} // namespace

void Log::line(const std::string& text) {
    std::lock_guard lock(sinkMutex());
    if (currentSink()) {
        currentSink()(text);
        return;
    }
    std::fprintf(stderr, "%s\n", text.c_str());
}

void Log::format(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::string text = stringWithFormatV(format, args);
    va_end(args);
    line(text);
}

Log::Sink Log::setSink(Sink sink) {
    std::lock_guard lock(sinkMutex());
    Sink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

} // namespace fretkit

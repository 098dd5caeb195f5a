#include "TNTrace.h"

#include "foundation/Log.h"

#include <cstdlib>

std::unique_ptr<TNTrace> TNTrace::fromEnvironment(const char* variable) {
    const char* path = std::getenv(variable);
    if (path == nullptr || *path == '\0') {
        return nullptr;
    }
    std::FILE* file = std::fopen(path, "a");
    if (file == nullptr) {
        fretkit::Log::format("%s: cannot write %s", variable, path);
        return nullptr;
    }
    return std::unique_ptr<TNTrace>(new TNTrace(file));
}

TNTrace::~TNTrace() {
    std::fclose(file_);
}

void TNTrace::line(const QString& text) {
    std::fprintf(file_, "%s\n", text.toUtf8().constData());
    std::fflush(file_);
}

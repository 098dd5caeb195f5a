#include "FileIO.h"

#include "StringFormat.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fretkit {
namespace {

bool fail(std::string* error, const std::string& what, const std::string& path, int code) {
    if (error) {
        *error = stringWithFormat("%s %s: %s", what.c_str(), path.c_str(), std::strerror(code));
    }
    return false;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

bool writeFully(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

std::optional<std::string> FileIO::readAll(const std::string& path, std::string* error) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        fail(error, "Cannot open", path, errno);
        return std::nullopt;
    }
    std::string bytes;
    char chunk[16384];
    for (;;) {
        const ssize_t count = ::read(fd.get(), chunk, sizeof chunk);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(error, "Cannot read", path, errno);
            return std::nullopt;
        }
        if (count == 0) {
            return bytes;
        }
        bytes.append(chunk, static_cast<std::size_t>(count));
    }
}

bool FileIO::writeAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    const std::filesystem::path target(path);
    if (target.has_parent_path()) {
        std::error_code ec;
        std::filesystem::create_directories(target.parent_path(), ec);
        if (ec) {
            return fail(error, "Cannot create the folder of", path, ec.value());
        }
    }
    std::string temporary = path + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temporary.data()));
    if (fd.get() < 0) {
        return fail(error, "Cannot create a temporary file for", path, errno);
    }
    ::fchmod(fd.get(), S_IRUSR | S_IWUSR);
    if (!writeFully(fd.get(), bytes) || ::fsync(fd.get()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        return fail(error, "Cannot write", path, code);
    }
    if (::close(fd.release()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        return fail(error, "Cannot write", path, code);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        return fail(error, "Cannot replace", path, code);
    }
    return true;
}

} // namespace fretkit

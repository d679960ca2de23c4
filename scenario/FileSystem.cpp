#include "scenario/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace quorvel {

namespace {

#ifdef _WIN32
constexpr const char* Separators = "\\/:";
#else
constexpr const char* Separators = "/";
#endif

}  // namespace

std::string FileNamePart(const std::string& path)
{
    const std::size_t last = path.find_last_of(Separators);
    return last == std::string::npos ? path : path.substr(last + 1);
}

std::string FolderPart(const std::string& path)
{
    const std::size_t last = path.find_last_of(Separators);
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

char PathSeparator()
{
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

std::optional<FileBytes> ReadFileBytes(const std::string& path)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    struct Closer {
        int descriptor;
        ~Closer() { ::close(descriptor); }
    } closer{descriptor};
    struct stat status { };
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0)
        return std::nullopt;
    FileBytes bytes;
    bytes.size = static_cast<std::size_t>(status.st_size);
    bytes.data = RoomForBytes(bytes.size);
    std::size_t done = 0;
    while (done < bytes.size) {
        const ssize_t got = ::read(descriptor, bytes.data.get() + done, bytes.size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return std::nullopt;  // an error, or the file shrank while it was read
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}

}  // namespace quorvel

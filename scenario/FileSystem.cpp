#include "scenario/FileSystem.h"

#include <fstream>
#include <filesystem>

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

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff size = in.tellg();
    if (size < 0)
        return false;
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), size);
    return in.gcount() == size;
}

}  // namespace quorvel

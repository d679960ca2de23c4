#include "scenario/FileSystem.h"

#include <fstream>
#include <filesystem>

namespace quorvel {

std::string FileNamePart(const std::string& path)
{
#ifdef _WIN32
    const char* separators = "\\/:";
#else
    const char* separators = "/";
#endif
    const std::size_t last = path.find_last_of(separators);
    return last == std::string::npos ? path : path.substr(last + 1);
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

#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace quorvel::build {

// A fresh folder under the system's temporary folder, removed again at the end.
class TempFolder {
public:
    explicit TempFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() / ("quorvel-" + name + "-" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string touch(const std::string& name, const std::string& contents = "x") const
    {
        const auto target = path_ / name;
        std::filesystem::create_directories(target.parent_path());
        std::ofstream(target, std::ios::binary) << contents;
        return target.string();
    }

private:
    std::filesystem::path path_;
};

}  // namespace quorvel::build

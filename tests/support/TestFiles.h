#pragma once
// Small file helpers for tests: a temporary folder removed at the end, whole-file I/O.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testfiles {

using Bytes = std::vector<std::uint8_t>;

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

Bytes readAll(const std::string& path);
void writeAll(const std::string& path, const Bytes& bytes);
void writeText(const std::string& path, const std::string& text);
bool exists(const std::string& path);
// Copies the fake tool under name into folder and gives it the script (see fake_tool.cpp).
std::string installFakeTool(const std::string& folder, const std::string& name, const std::string& script);
// The arguments of the fake tool's last run.
std::vector<std::string> fakeToolArgs(const std::string& toolPath);

} // namespace testfiles

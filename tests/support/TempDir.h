#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

namespace kst::test {

// A fresh empty folder under the system temporary folder, removed with the object.
class TempDir {
public:
    explicit TempDir(const std::string& name)
        : m_path(std::filesystem::temp_directory_path()
                 / ("kst-" + name + "-" + std::to_string(::getpid()) + "-" + std::to_string(nextNumber())))
    {
        // A crashed run with the same process id may have left it behind.
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ignored; // a destructor must not throw
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

    void write(const std::string& name, const std::string& bytes) const
    {
        std::filesystem::create_directories((m_path / name).parent_path());
        std::ofstream(m_path / name, std::ios::binary) << bytes;
    }
    // Empty when the file is missing.
    std::string read(const std::string& name) const { return readFile(m_path / name); }

    static std::string readFile(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    // Keeps two folders of one process apart.
    static int nextNumber()
    {
        static std::atomic<int> counter{0};
        return counter++;
    }

    std::filesystem::path m_path;
};

} // namespace kst::test

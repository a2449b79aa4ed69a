#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the end of
// the test. Every test that touches files works inside one, so tests never share or leave files.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder() {
#ifdef _WIN32
        // No mkdtemp: a random name, taken only when the folder did not exist yet.
        std::random_device random;
        for (int attempt = 0;; ++attempt) {
            std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                           ("iislog-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(folder)) {
                path_ = folder.generic_string();
                break;
            }
            if (attempt == 100) throw std::runtime_error("cannot create a temporary folder");
        }
#else
        std::string pattern = (std::filesystem::temp_directory_path() / "iislog-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
#endif
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    // Writes `content` to the file `name` (bytes as given, no line-end translation) and returns
    // the file's path.
    std::string Write(const std::string& name, const std::string& content) const {
        std::string file = *this / name;
        std::ofstream out(file, std::ios::binary);
        out << content;
        if (!out) throw std::runtime_error("cannot write " + file);
        return file;
    }
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        return Write(name, std::string(bytes.begin(), bytes.end()));
    }

    // The whole content of the file `name`; empty when it cannot be read.
    std::string Read(const std::string& name) const {
        std::ifstream in(*this / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string path_;
};

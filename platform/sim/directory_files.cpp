#include "platform/sim/directory_files.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace hs::sim {

namespace fs = std::filesystem;

namespace {
fs::path FromUtf8(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }
std::string ToUtf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
}  // namespace

DirectoryFiles::DirectoryFiles(std::string folder) : folder_(std::move(folder)) {}

std::string DirectoryFiles::Locate(const std::string& path) const {
    const size_t cut = path.find_last_of("\\/:");
    const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    return ToUtf8(FromUtf8(folder_) / FromUtf8(name));
}

bool DirectoryFiles::Read(const std::string& path, std::string& bytes) {
    std::ifstream in(FromUtf8(Locate(path)), std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool DirectoryFiles::Write(const std::string& path, std::string_view bytes) {
    std::error_code ec;
    fs::create_directories(FromUtf8(folder_), ec);
    const fs::path target = FromUtf8(Locate(path));
    fs::path temp = target;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temp, ec);
            return false;
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace hs::sim

#include "platform/sim/directory_files.h"

#include <atomic>
#include <exception>
#include <filesystem>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace hs::sim {

namespace fs = std::filesystem;

namespace {

fs::path FromUtf8(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}
std::string ToUtf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

unsigned long ProcessId() {
#ifdef _WIN32
    return static_cast<unsigned long>(_getpid());
#else
    return static_cast<unsigned long>(getpid());
#endif
}

// Temporaries are named "<target>.<process>-<counter>.tmp", so writers of several
// processes never share one, and one left behind can be recognised later.
std::string TemporarySuffix() {
    static std::atomic<unsigned> counter{0};
    std::string suffix = ".";
    suffix += std::to_string(ProcessId());
    suffix += '-';
    suffix += std::to_string(counter.fetch_add(1));
    suffix += ".tmp";
    return suffix;
}

// True when `name` is a temporary of a write of `target` made by another process
// (or by an earlier version of this store, which used "<target>.tmp").
bool IsForeignTemporary(const std::string& name, const std::string& target) {
    const std::string head = target + ".";
    const std::string tail = ".tmp";
    if (name == target + tail)
        return true;
    if (name.size() <= head.size() + tail.size() || !name.starts_with(head) ||
        !name.ends_with(tail)) {
        return false;
    }
    const std::string middle = name.substr(head.size(), name.size() - head.size() - tail.size());
    const size_t dash = middle.find('-');
    if (dash == 0 || dash == std::string::npos || dash + 1 == middle.size() ||
        middle.find_first_not_of("0123456789-") != std::string::npos ||
        middle.find('-', dash + 1) != std::string::npos) {
        return false;
    }
    return middle.substr(0, dash) != std::to_string(ProcessId());
}

FileRead ReadWhole(const fs::path& target, std::string& bytes) {
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (status.type() == fs::file_type::not_found)
        return FileRead::Missing;
    if (ec || status.type() == fs::file_type::directory)
        return FileRead::Failed;
    std::ifstream in(target, std::ios::binary);
    if (!in)
        return FileRead::Failed;
    // istream::read turns an error of the underlying read into badbit instead of
    // letting it escape as an exception.
    std::string content;
    char block[65536];
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        content.append(block, static_cast<size_t>(in.gcount()));
        if (!in)
            break;
    }
    if (in.bad())
        return FileRead::Failed;
    bytes = std::move(content);
    return FileRead::Ok;
}

bool WriteWhole(const fs::path& folder, const fs::path& target, std::string_view bytes) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    const fs::file_status status = fs::status(target, ec);
    if (status.type() == fs::file_type::directory)
        return false;
    if (fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none)
        return false;
    fs::path temp = target;
    temp += TemporarySuffix();
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
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

}  // namespace

DirectoryFiles::DirectoryFiles(std::string folder) : folder_(std::move(folder)) {}

std::string DirectoryFiles::Locate(const std::string& path) const {
    const size_t cut = path.find_last_of("\\/:");
    const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    return ToUtf8(FromUtf8(folder_) / FromUtf8(name));
}

FileRead DirectoryFiles::Read(const std::string& path, std::string& bytes) {
    try {
        return ReadWhole(FromUtf8(Locate(path)), bytes);
    } catch (const std::exception&) {
        return FileRead::Failed;
    }
}

bool DirectoryFiles::Write(const std::string& path, std::string_view bytes) {
    try {
        return WriteWhole(FromUtf8(folder_), FromUtf8(Locate(path)), bytes);
    } catch (const std::exception&) {
        return false;
    }
}

int DirectoryFiles::RemoveStaleTemporaries(const std::string& path) {
    try {
        const fs::path target = FromUtf8(Locate(path));
        const std::string name = ToUtf8(target.filename());
        std::error_code ec;
        int removed = 0;
        for (fs::directory_iterator it(target.parent_path(), ec), end; !ec && it != end;
             it.increment(ec)) {
            if (IsForeignTemporary(ToUtf8(it->path().filename()), name) &&
                it->is_regular_file(ec) && fs::remove(it->path(), ec)) {
                ++removed;
            }
        }
        return removed;
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace hs::sim

#include "app/watched_files.h"

#include "clients/data_file.h"
#include "settings/settings_file.h"

namespace hs::app {

WatchedFiles::WatchedFiles(FileStore& inner, Dispatcher& window,
                           std::function<void(const std::string& path)> failed)
    : inner_(inner), window_(window), failed_(std::move(failed)) {}

FileRead WatchedFiles::Read(const std::string& path, std::string& bytes) {
    return inner_.Read(path, bytes);
}

bool WatchedFiles::Write(const std::string& path, std::string_view bytes) {
    if (inner_.Write(path, bytes))
        return true;
    const std::string key = clients::UpperAscii(path);
    const bool watched = key == clients::UpperAscii(settings::kSettingsPath) ||
                         key == clients::UpperAscii(clients::kBlacklistPath) ||
                         key == clients::UpperAscii(clients::kNamesPath);
    bool first = false;
    if (watched) {
        std::lock_guard<std::mutex> lock(mutex_);
        first = told_.insert(key).second;
    }
    if (first && failed_)
        window_.Post([failed = failed_, path] { failed(path); });
    return false;
}

int WatchedFiles::RemoveStaleTemporaries(const std::string& path) {
    return inner_.RemoveStaleTemporaries(path);
}

std::string WriteFailedText(const std::string& path) {
    return "无法保存文件 " + path +
           "，这次的更改没有保存。请以管理员身份运行本软件，或检查 C 盘是否只读。";
}

}  // namespace hs::app

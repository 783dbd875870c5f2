#include "platform/sim/canned_commands.h"

#include <algorithm>

namespace hs::sim {

CannedCommands::CannedCommands(TextCodec& codec) : codec_(codec) {}

void CannedCommands::Set(const std::string& commandLine, std::string gbkOutput) {
    std::lock_guard<std::mutex> lock(mutex_);
    outputs_[commandLine] = std::move(gbkOutput);
}

void CannedCommands::SetUnstartable(const std::string& prefix) {
    std::lock_guard<std::mutex> lock(mutex_);
    unstartable_.push_back(prefix);
}

bool CannedCommands::Run(const std::string& commandLine, const StopSignal* stop,
                         std::string& output) {
    output.clear();
    std::string bytes;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.push_back(commandLine);
        if (stop != nullptr && stop->Requested())
            return true;
        if (std::any_of(unstartable_.begin(), unstartable_.end(),
                        [&](const std::string& p) { return StartsWithNoCase(commandLine, p); })) {
            return false;
        }
        auto it = outputs_.find(commandLine);
        bytes = it != outputs_.end() ? it->second : UnknownCommandOutput(codec_, commandLine);
    }
    // The console cuts each chunk at its first zero byte; a canned output is one chunk.
    const size_t zero = bytes.find('\0');
    if (zero != std::string::npos)
        bytes.resize(zero);
    output = codec_.GbkToUtf8(bytes);
    return true;
}

std::vector<std::string> CannedCommands::Calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
}

std::string UnknownCommandOutput(TextCodec& codec, const std::string& commandLine) {
    const size_t end = commandLine.find(' ');
    const std::string name = commandLine.substr(0, end);
    return codec.Utf8ToGbk("'" + name +
                           "' 不是内部或外部命令，也不是可运行的程序\r\n或批处理文件。\r\n");
}

bool StartsWithNoCase(const std::string& commandLine, const std::string& prefix) {
    if (prefix.size() > commandLine.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        unsigned char a = static_cast<unsigned char>(commandLine[i]);
        unsigned char b = static_cast<unsigned char>(prefix[i]);
        if (a >= 'A' && a <= 'Z')
            a = static_cast<unsigned char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z')
            b = static_cast<unsigned char>(b - 'A' + 'a');
        if (a != b)
            return false;
    }
    return true;
}

}  // namespace hs::sim

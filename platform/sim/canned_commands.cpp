#include "platform/sim/canned_commands.h"

namespace hs::sim {

CannedCommands::CannedCommands(TextCodec& codec) : codec_(codec) {}

void CannedCommands::Set(const std::string& commandLine, std::string gbkOutput) {
    std::lock_guard<std::mutex> lock(mutex_);
    outputs_[commandLine] = std::move(gbkOutput);
}

std::string CannedCommands::Run(const std::string& commandLine, const StopSignal* stop) {
    std::string bytes;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.push_back(commandLine);
        auto it = outputs_.find(commandLine);
        bytes = it != outputs_.end() ? it->second : UnknownCommandOutput(codec_, commandLine);
    }
    if (stop != nullptr && stop->Requested()) return {};
    // The console cuts each chunk at its first zero byte; a canned output is one chunk.
    const size_t zero = bytes.find('\0');
    if (zero != std::string::npos) bytes.resize(zero);
    return codec_.GbkToUtf8(bytes);
}

std::vector<std::string> CannedCommands::Calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
}

std::string UnknownCommandOutput(TextCodec& codec, const std::string& commandLine) {
    const size_t end = commandLine.find(' ');
    const std::string name = commandLine.substr(0, end);
    return codec.Utf8ToGbk("'" + name + "' 不是内部或外部命令，也不是可运行的程序\r\n或批处理文件。\r\n");
}

}  // namespace hs::sim

#include "backend/console_words.h"

#include "sys/text.h"

namespace hs::backend {

namespace {

// Where a word was seen. "verbatim" words were copied from captured console output;
// "shape" words follow the documented layout where no capture was found.
struct Word {
    const char* text;
    const char* language;
    const char* source;
};

// "You must run this command from a command prompt with administrator privilege." and
// its translations.
constexpr Word kNotAdministrator[] = {
    {"管理员", "zh-CN", "verbatim: 必须使用管理员权限从命令提示符处运行此命令。"},
    {"管理員", "zh-TW", "shape: the Traditional form of the same sentence (none captured)"},
    {"administrator privilege", "en-US", "verbatim: netsh wlan start/stop hostednetwork"},
    {"requires elevation", "en-US", "verbatim: netsh interface: (Run as administrator)"},
};

// "The hosted network couldn't be started." and its translations.
constexpr Word kStartFailed[] = {
    {"无法", "zh-CN", "verbatim: 无法启动承载网络。"},
    {"無法", "zh-TW", "shape: 無法啟動主控網路。 (none captured)"},
    {"couldn't be started", "en-US", "verbatim: The hosted network couldn't be started."},
    {"could not be started", "en-US", "shape: older wording of the same sentence"},
};

constexpr Word kStarted[] = {
    {"已启动", "zh-CN", "verbatim: 状态 : 已启动"},
    {"已啟動", "zh-TW", "verbatim in code that reads the start's answer: 已啟動主控網路。"},
    {"Started", "en-US", "verbatim in code that reads the status: Status : Started"},
};

constexpr Word kNotStarted[] = {
    {"未启动", "zh-CN", "verbatim: 状态 : 未启动"},
    {"未啟動", "zh-TW", "shape: the Traditional form (none captured)"},
    {"Not started", "en-US", "verbatim in code that reads the status: Status : Not started"},
};

constexpr Word kYes[] = {
    {"是", "zh-CN, zh-TW", "verbatim: DHCP 已启用 : 是 / DHCP 已啟用 : 是"},
    {"Yes", "en-US", "verbatim: DHCP enabled: Yes"},
};

// The offload listing's headers were not found captured in any language: the words
// are those of the same system's other interface headers.
constexpr Word kInterfaceHeader[] = {
    {"接口", "zh-CN", "shape: 接口 14: 本地连接* 12, as Windows 7 and 8 print it"},
    {"介面", "zh-TW", "verbatim in arp -a: 介面: 192.168.0.1 --- 0xa"},
    {"Interface", "en-US", "verbatim in arp -a: Interface: 192.168.137.1 --- 0xf"},
};

template <size_t N>
bool Holds(const std::string& text, const Word (&words)[N]) {
    for (const Word& word : words) {
        if (Contains(text, word.text))
            return true;
    }
    return false;
}

template <size_t N>
bool IsOneOf(const std::string& text, const Word (&words)[N]) {
    const std::string value = Trim(text);
    for (const Word& word : words) {
        if (value == word.text)
            return true;
    }
    return false;
}

}  // namespace

bool SaysNotAdministrator(const std::string& output) {
    return Holds(output, kNotAdministrator);
}

bool SaysStartFailed(const std::string& output) {
    return Holds(output, kStartFailed);
}

bool SaysStarted(const std::string& statusValue) {
    return IsOneOf(statusValue, kStarted);
}

bool SaysNotStarted(const std::string& statusValue) {
    return IsOneOf(statusValue, kNotStarted);
}

bool SaysYes(const std::string& value) {
    return Holds(value, kYes);
}

size_t InterfaceHeaderWord(std::string_view line) {
    for (const Word& word : kInterfaceHeader) {
        const std::string_view text = word.text;
        if (line.starts_with(text) && line.substr(text.size()).starts_with(" "))
            return text.size() + 1;
    }
    return 0;
}

}  // namespace hs::backend

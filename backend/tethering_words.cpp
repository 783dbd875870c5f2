#include "backend/tethering_words.h"

#include <cstdio>

namespace hs::backend {

namespace {

// What a driver that cannot run an access point answers, besides WiFiDeviceOff.
constexpr const char* kNotSupportedMessage = "设备不支持";

constexpr const char* kRadioOffOrCannotHost =
    "无线网卡已关闭，或者这块无线网卡不支持开启移动热点。\r\n"
    "请打开电脑的无线网络开关（一般在F1-12那栏有个无线发射的标志，按组合键Fn+F2之类打开，"
    "也有的电脑是硬件开关），或在 Windows 设置的“网络和 Internet”里打开 WLAN；\r\n"
    "如果已经打开还是这样，说明无线网卡或它的驱动不支持开启热点，请升级 [无线网卡驱动] 到最新版。";

std::string Hex(uint32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

std::string StatusWords(int status) {
    switch (status) {
        case 0:
            return "";
        case 1:
            return "移动热点开启失败，系统没有说明原因。";
        case 2:
            return "移动宽带（手机网络）设备已关闭，无法共享它的网络。";
        case kStatusWiFiDeviceOff:
            return kRadioOffOrCannotHost;
        case 4:
            return "运营商的共享授权检查超时，请稍后再试。";
        case 5:
            return "运营商不允许共享这个网络连接。";
        case 6:
            return "系统正在开启或关闭移动热点，请稍后再试。";
        case 7:
            return "蓝牙已关闭：移动热点被设置为通过蓝牙共享，请打开蓝牙或在 Windows "
                   "设置里改为通过 WLAN 共享。";
        case 8:
            return "本机连网方式的网络受限（无法访问 "
                   "Internet），系统不允许共享它。请换一个能上网的连接。";
        case kStatusAlreadyOn:
            return "移动热点已经开着。";
        case 10:
            return "无线电限制，移动热点无法在 6 GHz 频段开启，请在 Windows 设置里换用 2.4 GHz 或 "
                   "5 GHz。";
        case 11:
            return "5 GHz 连接干扰，移动热点无法在 6 GHz 频段开启，请在 Windows "
                   "设置里换用其他频段。";
        default:
            return "移动热点开启失败（系统状态代码 " + std::to_string(status) + "）。";
    }
}

std::string FailureWords(const TetheringAnswer& answer, bool wow64) {
    switch (answer.failure) {
        case TetheringFailure::None:
            return StatusWords(answer.status);
        case TetheringFailure::Unavailable: {
            std::string words = "这台电脑的系统没有可用的“移动热点”功能（系统错误代码：" +
                                Hex(answer.code == 0 ? kClassNotRegistered : answer.code) + "）。";
            if (wow64) {
                words +=
                    "\r\n您在 64 位 Windows 上运行的是 32 位的程序，32 位程序用不了移动热点，"
                    "请改用本程序的 64 位版本（64 位的 .exe）。";
            }
            return words;
        }
        case TetheringFailure::NoProfile:
            return "找不到可以共享的网络连接：本机连网方式和系统的 Internet 连接都不可用。"
                   "请先连上网络，再开启热点。";
        case TetheringFailure::Failed:
            if (answer.code == kAccessDenied) {
                return "系统拒绝了对移动热点的访问（系统错误代码：" + Hex(answer.code) +
                       "）。请在 Windows 设置的“网络和 Internet → 移动热点”里查看是否被禁止。";
            }
            return "系统调用移动热点失败（系统错误代码：" + Hex(answer.code) + "）。";
        case TetheringFailure::TimedOut:
            return "系统在 60 秒内没有完成移动热点的操作，请稍后再试。";
        case TetheringFailure::Stopped:
            return "操作已取消。";
    }
    return "";
}

}  // namespace

std::string TetheringWords(const TetheringAnswer& answer, bool wow64) {
    if (answer.Succeeded())
        return "";
    std::string words = FailureWords(answer, wow64);
    if (answer.failure == TetheringFailure::None && answer.status != kStatusWiFiDeviceOff &&
        answer.message.find(kNotSupportedMessage) != std::string::npos) {
        // A driver that cannot host answers so, whatever the status says.
        words = kRadioOffOrCannotHost;
    }
    if (answer.failure == TetheringFailure::None && answer.code != 0)
        words += "（错误代码：" + Hex(answer.code) + "）";
    if (!answer.message.empty())
        words += "\r\n系统说明：" + answer.message;
    return words;
}

Step TetheringStep(const TetheringAnswer& answer, bool wow64, bool alreadyOnIsDone) {
    Step step;
    if (answer.Succeeded() || (alreadyOnIsDone && answer.failure == TetheringFailure::None &&
                               answer.status == kStatusAlreadyOn)) {
        step.result = StepResult::Done;
        return step;
    }
    step.result = answer.failure == TetheringFailure::Unavailable ? StepResult::CouldNotRun
                                                                  : StepResult::Refused;
    step.output = TetheringWords(answer, wow64);
    return step;
}

}  // namespace hs::backend

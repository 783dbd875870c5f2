// "netsh wlan ...": the hosted network's configuration, start, stop and status,
// printed as a Chinese Windows prints them.
#include <algorithm>

#include "platform/sim/console_text.h"
#include "platform/sim/laptop_model.h"

namespace hs::sim {
namespace {

constexpr const char* kNotAdmin = "您必须从具有管理员权限的命令提示符运行此命令。\n\n";
constexpr const char* kStartFailedState =
    "无法启动承载网络。\n组或资源的状态不是执行请求操作的正确状态。\n\n";
constexpr const char* kStartFailedRadio = "无法启动承载网络。\n连到系统上的设备没有发挥作用。\n\n";
constexpr const char* kBadParameter = "参数错误。\n\n";

// "    LABEL<padding>: " with the label padded to 23 display columns.
std::string Field(const std::string& label, const std::string& value) {
    return "    " + PadDisplay(label, 23) + ": " + value + "\n";
}

// Bytes the text takes in GBK: one per ASCII character, two per other character.
size_t GbkLength(const std::string& utf8) {
    return DisplayWidth(utf8);
}

bool ValidKey(const std::string& key) {
    const bool ascii = std::all_of(key.begin(), key.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F;
    });
    if (!ascii)
        return false;
    if (key.size() >= 8 && key.size() <= 63)
        return true;
    return key.size() == 64 && std::all_of(key.begin(), key.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
           });
}

}  // namespace

std::string LaptopModel::Wlan(const std::vector<std::string>& args) {
    const std::string verb = args.empty() ? std::string() : Lower(args[0]);
    const std::string object = args.size() < 2 ? std::string() : Lower(args[1]);

    if (verb == "set" && object == "hostednetwork") {
        if (!admin)
            return kNotAdmin;
        std::string mode, ssid, key;
        bool haveSsid = false, haveKey = false;
        for (size_t i = 2; i < args.size(); ++i) {
            const size_t eq = args[i].find('=');
            if (eq == std::string::npos)
                return kBadParameter;
            const std::string name = Lower(args[i].substr(0, eq));
            const std::string value = args[i].substr(eq + 1);
            if (name == "mode") {
                mode = Lower(value);
                if (mode != "allow" && mode != "disallow")
                    return kBadParameter;
            } else if (name == "ssid") {
                ssid = value;
                haveSsid = true;
            } else if (name == "key") {
                key = value;
                haveKey = true;
            } else if (name != "keyusage") {
                return kBadParameter;
            }
        }
        if (mode.empty() && !haveSsid && !haveKey)
            return kBadParameter;
        if (haveSsid && (ssid.empty() || GbkLength(ssid) > 32))
            return kBadParameter;
        if (haveKey && !ValidKey(key))
            return kBadParameter;
        std::string out;
        if (mode == "allow") {
            hosted.configured = true;
            hosted.allowed = true;
            out += "承载网络模式已设置为允许。\n";
        } else if (mode == "disallow") {
            hosted.configured = true;
            hosted.allowed = false;
            hosted.started = false;  // disallowing takes the hosted network down
            out += "承载网络模式已设置为禁止。\n";
        }
        if (haveSsid) {
            hosted.ssid = ssid;
            out += "已成功更改承载网络的 SSID。\n";
        }
        if (haveKey) {
            hosted.key = key;
            out += "已成功更改托管网络的用户密钥密码。\n";
        }
        return out + "\n";
    }

    if ((verb == "start" || verb == "stop") && object == "hostednetwork") {
        if (!admin)
            return kNotAdmin;
        if (verb == "stop") {
            hosted.started = false;
            return "已停止承载网络。\n\n";
        }
        if (!wireless || !hostedSupported || !hosted.allowed || hosted.ssid.empty()) {
            return kStartFailedState;
        }
        if (!radioOn)
            return kStartFailedRadio;
        hosted.started = true;
        return "已启动承载网络。\n\n";
    }

    if (verb == "show" && object == "hostednetwork") {
        std::string out = "\n承载网络设置\n------------\n";
        out += Field("模式", !hosted.configured ? "未配置" : hosted.allowed ? "已启用" : "已禁用");
        if (!hosted.ssid.empty())
            out += "    " + PadDisplay("SSID 名称", 23) + ":“" + hosted.ssid + "”\n";
        out += Field("最多客户端数", "100");
        out += Field("身份验证", "WPA2 - 个人");
        out += Field("密码", "CCMP");
        out += "\n承载网络状态\n------------\n";
        const HostedNetworkState state = HostedState();
        if (state == HostedNetworkState::Unavailable) {
            out += Field("状态", "不可用");
        } else if (state == HostedNetworkState::Idle) {
            out += Field("状态", "未启动");
        } else {
            const std::vector<const SimDevice*> stations = Stations();
            out += Field("状态", "已启动");
            out += Field("BSSID", hosted.bssid);
            out += Field("无线电类型", "802.11n");
            out += Field("频道", std::to_string(hosted.channel));
            out += Field("客户端数", std::to_string(stations.size()));
            for (const SimDevice* d : stations) {
                out += "        " + ColonMac(d->mac) + "        已经过身份验证\n";
            }
        }
        return out + "\n";
    }

    if (verb == "show" && object == "drivers") {
        if (!wireless)
            return "系统上没有无线接口。\n";
        const SimConnection* wifi = nullptr;
        for (const auto& c : connections) {
            if (c.kind == ConnectionKind::Wifi && wifi == nullptr)
                wifi = &c;
        }
        std::string out = "\n接口名称: " + (wifi != nullptr ? wifi->name : std::string()) + "\n\n";
        const auto line = [](const std::string& label, const std::string& value) {
            return "    " + PadDisplay(label, 26) + ": " + value + "\n";
        };
        out += line("驱动程序", wirelessDriver);
        out += line("供应商", "Intel Corporation");
        out += line("提供程序", "Intel");
        out += line("日期", "2012/3/20");
        out += line("版本", "15.1.1.1");
        out += line("INF 文件", "C:\\Windows\\INF\\oem23.inf");
        out += line("文件", "总计 4 个");
        out += line("类型", "本机 WLAN 驱动程序");
        out += line("支持的无线电类型", "802.11b 802.11g 802.11n");
        out += line("FIPS 140-2 模式支持", "是");
        out += line("802.11w 管理帧保护支持", "是");
        out += line("支持的承载网络", hostedSupported ? "是" : "否");
        return out + "\n";
    }

    std::string joined = "wlan";
    for (const auto& a : args)
        joined += " " + a;
    return "找不到下列命令: " + joined + "。\n";
}

}  // namespace hs::sim

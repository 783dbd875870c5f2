#include "hotspot/start_checks.h"

#include "backend/backend_choice.h"
#include "sys/text.h"

namespace hs::hotspot {

namespace {

// Balloon positions relative to the main window: beside the name and beside the
// password.
constexpr int kBalloonX = 200;
constexpr int kNameBalloonY = 90;
constexpr int kKeyBalloonY = 135;

// What the hosted network accepts: a name of at most 32 bytes and a key of 8 to 63
// characters.
constexpr size_t kMaxSsidBytes = 32;
constexpr size_t kMinKeyBytes = 8;
constexpr size_t kMaxKeyCharacters = 63;

// A system where the start may use the Mobile Hotspot.
bool MayUseMobileHotspot(Host& host) {
    return host.tethering != nullptr && host.system != nullptr &&
           backend::HasMobileHotspotBuild(host.system->Version());
}

}  // namespace

std::string WithoutSpaces(const std::string& text) {
    return Trim(ReplaceMany(text, 3, 1, false, {{" ", ""}}));
}

bool CheckNameAndPassword(Hotspot& hotspot, const std::string& ssid, const std::string& key) {
    TextCodec& codec = *hotspot.GetHost().codec;
    if (ssid.empty()) {
        hotspot.View().Balloon("您还没有输入WiFi名称哦！", kBalloonX, kNameBalloonY);
        return false;
    }
    if (key.empty()) {
        hotspot.View().Balloon("您还没有输入密码哦！", kBalloonX, kKeyBalloonY);
        return false;
    }
    if (codec.Utf8ToGbk(key).size() < kMinKeyBytes) {
        hotspot.View().Balloon("密码不能少于8位数！", kBalloonX, kKeyBalloonY);
        return false;
    }
    // Both reach the console in double quotes, so a double quote inside would end
    // them early and let the rest be read as further arguments.
    if (Contains(ssid, "\"")) {
        hotspot.View().Balloon("WiFi名称不能包含双引号哦！", kBalloonX, kNameBalloonY);
        return false;
    }
    if (Contains(key, "\"")) {
        hotspot.View().Balloon("密码不能包含双引号哦！", kBalloonX, kKeyBalloonY);
        return false;
    }
    // The console tools take the name and the key in the system's ANSI code page: a
    // character it lacks (an emoji; Chinese where non-Unicode programs run Western)
    // would reach the network as another one, so the phones would see another name.
    if (SystemInfo* system = hotspot.GetHost().system) {
        const std::string inName = system->Unencodable(ssid);
        if (!inName.empty()) {
            hotspot.View().Balloon("WiFi名称不能包含“" + inName + "”哦！", kBalloonX,
                                   kNameBalloonY);
            return false;
        }
        const std::string inKey = system->Unencodable(key);
        if (!inKey.empty()) {
            hotspot.View().Balloon("密码不能包含“" + inKey + "”哦！", kBalloonX, kKeyBalloonY);
            return false;
        }
    }
    if (codec.Utf8ToGbk(WithoutSpaces(ssid)).size() > kMaxSsidBytes) {
        hotspot.View().Balloon("WiFi名称不能超过32个字节哦！", kBalloonX, kNameBalloonY);
        return false;
    }
    if (CharacterCount(WithoutSpaces(key)) > kMaxKeyCharacters) {
        hotspot.View().Balloon("密码不能超过63位数！", kBalloonX, kKeyBalloonY);
        return false;
    }
    // The Mobile Hotspot counts the name in UTF-8 bytes (a Chinese character takes three)
    // and the key in characters: refused here, before anything is saved.
    if (MayUseMobileHotspot(hotspot.GetHost())) {
        if (WithoutSpaces(ssid).size() > kMaxSsidBytes) {
            hotspot.View().Balloon("WiFi名称不能超过32个字节哦（一个汉字占3个字节）！", kBalloonX,
                                   kNameBalloonY);
            return false;
        }
        if (CharacterCount(WithoutSpaces(key)) < kMinKeyBytes) {
            hotspot.View().Balloon("密码不能少于8位数！", kBalloonX, kKeyBalloonY);
            return false;
        }
    }
    return true;
}

}  // namespace hs::hotspot

#include "platform/sim/console_words.h"

namespace hs::sim {
namespace {

// Simplified Chinese (code page 936), as the program's users mostly run it.
constexpr ConsoleWords kSimplifiedChinese{
    .commandNotFound = "找不到下列命令: ",
    .commandNotFoundEnd = "。",
    .notAProgram = "' 不是内部或外部命令，也不是可运行的程序\n或批处理文件。",
    .badParameter = "参数错误。",
    .elementNotFound = "找不到元素。",
    .elevationRequired = "请求的操作需要提升(作为管理员运行)。",
    .wlanNotAdministrator = "您必须从具有管理员权限的命令提示符运行此命令。",

    .modeAllowed = "承载网络模式已设置为允许。",
    .modeDisallowed = "承载网络模式已设置为禁止。",
    .ssidChanged = "已成功更改承载网络的 SSID。",
    .keyChanged = "已成功更改托管网络的用户密钥密码。",
    .started = "已启动承载网络。",
    .stopped = "已停止承载网络。",
    .cannotStart = "无法启动承载网络。",
    .wrongState = "组或资源的状态不是执行请求操作的正确状态。",
    .deviceNotWorking = "连到系统上的设备没有发挥作用。",

    .settingsHeading = "承载网络设置",
    .modeLabel = "模式",
    .notConfigured = "未配置",
    .allowed = "已启用",
    .disallowed = "已禁用",
    .ssidLabel = "SSID 名称",
    .ssidOpen = ":“",
    .ssidClose = "”",
    .maxClientsLabel = "最多客户端数",
    .authenticationLabel = "身份验证",
    .authenticationValue = "WPA2 - 个人",
    .cipherLabel = "密码",
    .statusHeading = "承载网络状态",
    .statusLabel = "状态",
    .unavailable = "不可用",
    .notStarted = "未启动",
    .running = "已启动",
    .radioTypeLabel = "无线电类型",
    .channelLabel = "频道",
    .clientCountLabel = "客户端数",
    .authenticated = "已经过身份验证",

    .noWirelessInterface = "系统上没有无线接口。",
    .interfaceNameLabel = "接口名称",
    .driverLabel = "驱动程序",
    .vendorLabel = "供应商",
    .providerLabel = "提供程序",
    .dateLabel = "日期",
    .dateValue = "2012/3/20",
    .versionLabel = "版本",
    .infLabel = "INF 文件",
    .filesLabel = "文件",
    .filesValue = "总计 4 个",
    .typeLabel = "类型",
    .typeValue = "本机 WLAN 驱动程序",
    .radioTypesLabel = "支持的无线电类型",
    .fipsLabel = "FIPS 140-2 模式支持",
    .frameProtectionLabel = "802.11w 管理帧保护支持",
    .hostedSupportedLabel = "支持的承载网络",
    .yes = "是",
    .no = "否",

    .badName = "文件名、目录名或卷标语法不正确。",
    .notRegistered = "此名称的接口未在路由器上注册。",
    .ok = "确定。",
    .configurationOf = "接口 \"",
    .configurationOfEnd = "\" 的配置",
    .dhcpLabel = "    DHCP 已启用:                          ",
    .addressLabel = "    IP 地址:                           ",
    .prefixLabel = "    子网前缀:                        ",
    .maskWord = "掩码",
    .gatewayLabel = "    默认网关:                         ",
    .gatewayMetricLabel = "    网关跃点数:                       ",
    .metricLabel = "    InterfaceMetric:                      ",
    .offloadInterface = "接口",
    .ipv4TransmitChecksum = " ipv4 传输校验和受支持。",
    .udpTransmitChecksum = " udp 传输校验和受支持。",
    .tcpTransmitChecksum = " tcp 传输校验和受支持。",
    .ipv4ReceiveChecksum = " ipv4 接收校验和受支持。",
    .udpReceiveChecksum = " udp 接收校验和受支持。",
    .tcpReceiveChecksum = " tcp 接收校验和受支持。",
    .tcpLargeSend = " tcp 大量发送卸载受支持。",

    .arpInterface = "接口",
    .arpColumns = "  Internet 地址         物理地址              类型",
    .dynamicType = "动态",
    .staticType = "静态",
    .noArpEntries = "未找到 ARP 项。",
    .arpDeleteFailed = "删除 ARP 项失败: ",
    .arpElevationRequired = "请求的操作需要提升。",
    .arpUsage = "显示和修改地址解析协议(ARP)使用的“IP 到物理”地址转换表。",
};

}  // namespace

const ConsoleWords& WordsOf(ConsoleLanguage language) {
    switch (language) {
        case ConsoleLanguage::SimplifiedChinese:
        default:
            return kSimplifiedChinese;
    }
}

}  // namespace hs::sim

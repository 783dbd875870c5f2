// The rendered codes read back by zbar, a decoder independent of the encoder.
#include <gtest/gtest.h>
#include <unistd.h>
#include <zbar.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "join/join_text.h"
#include "join/qr_bmp.h"
#include "join/qr_layout.h"
#include "join/qr_matrix.h"

namespace hs::join {
namespace {

// zbar.h declares its C interface in namespace zbar when read as C++.
using namespace ::zbar;

// Every QR code zbar finds in `image`, as the text zbar makes of it (UTF-8).
std::vector<std::string> Decode(const QrImage& image) {
    std::unique_ptr<zbar_image_scanner_t, decltype(&zbar_image_scanner_destroy)> scanner(
        zbar_image_scanner_create(), zbar_image_scanner_destroy);
    zbar_image_scanner_set_config(scanner.get(), ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
    zbar_image_scanner_set_config(scanner.get(), ZBAR_QRCODE, ZBAR_CFG_ENABLE, 1);
    std::unique_ptr<zbar_image_t, decltype(&zbar_image_destroy)> zimage(zbar_image_create(),
                                                                        zbar_image_destroy);
    zbar_image_set_format(zimage.get(), zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(zimage.get(), static_cast<unsigned>(image.width),
                        static_cast<unsigned>(image.width));
    zbar_image_set_data(zimage.get(), image.grey.data(), image.grey.size(), nullptr);
    std::vector<std::string> found;
    if (zbar_scan_image(scanner.get(), zimage.get()) <= 0) {
        return found;
    }
    for (const zbar_symbol_t* symbol = zbar_image_first_symbol(zimage.get()); symbol != nullptr;
         symbol = zbar_symbol_next(symbol)) {
        found.emplace_back(zbar_symbol_get_data(symbol), zbar_symbol_get_data_length(symbol));
    }
    return found;
}

struct Network {
    std::string ssid;
    std::string key;
};

const Network kNetworks[] = {
    {"MyHotspot", "12345678"},
    {"a;b:c\\d\"e,f", "g;h:i\\j\"k,l"},
    {" my hot spot ", "pass word with spaces"},
    {"我的热点", "密码一二三四五六"},
    {"热点;wifi:家", "钥匙\\\"，,："},
    // Without a mark of UTF-8, a reader may take these bytes for Shift JIS.
    {"我的热点 5G", "a;b:c\\d\"e,f"},
    {std::string(32, 'S'), std::string(63, 'k')},
    {std::string(32, ';'), std::string(63, '\\')},
    {"Café ñandú", "ключ-12345"},
};

TEST(QrDecode, EveryJoinTextReadsBackExactly) {
    for (const Network& network : kNetworks) {
        const std::string text = JoinText(network.ssid, network.key);
        const QrMatrix matrix = EncodeQr(text);
        ASSERT_FALSE(matrix.Empty()) << text;
        for (int module_px : {2, 4}) {
            const std::vector<std::string> found = Decode(RenderQr(matrix, module_px));
            ASSERT_EQ(found.size(), 1u) << text << " at " << module_px << " px a module";
            EXPECT_EQ(found[0], text) << module_px << " px a module";
        }
    }
}

TEST(QrDecode, BitmapFileReadsBackWithZbarimg) {
    const std::string text = JoinText("我的热点 5G", "a;b:c\\d\"e,f");
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("hs_join_" + std::to_string(getpid()) + ".bmp");
    {
        std::ofstream out(path, std::ios::binary);
        out << QrBitmapFile(RenderQr(EncodeQr(text), 3));
    }
    const std::string command =
        "zbarimg --quiet --raw -Sdisable -Sqrcode.enable '" + path.string() + "' 2>/dev/null";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            output.append(buffer, n);
        }
        pclose(pipe);
    }
    std::filesystem::remove(path);
    EXPECT_EQ(output, text + "\n");
}

}  // namespace
}  // namespace hs::join

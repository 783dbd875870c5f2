#include "app/theme.h"

#include "settings/keys.h"

namespace hs::app {

void AttachSkin(ui::Window& window, int hue) {
    window.SetThemed(true);
    window.SetHue(hue);
}

void SetTitleColour(ui::Control groupBox, int red, int green, int blue) {
    groupBox.SetTitleColour(ui::Colour{static_cast<uint8_t>(red), static_cast<uint8_t>(green),
                                       static_cast<uint8_t>(blue)});
}

void DetachSkin(ui::Window& window) {
    window.SetThemed(false);
}

std::string HueLabel(int position) {
    // Appended piece by piece: the same with "+" trips a false -Wrestrict in GCC 12.
    std::string label = "[";
    label += std::to_string(position - kHueOffset);
    label += "]";
    return label;
}

void ApplyHuePosition(Host& host, ui::Window& main) {
    const int position = main["滑块条色调"].Position();
    AttachSkin(main, position - kHueOffset);
    settings::WriteSetting(host, settings::kSkinColour, std::to_string(position));
    main["透明标签位置"].SetText(HueLabel(position));
}

void RestoreDefaultHue(Host& host, ui::Window& main) {
    main["滑块条色调"].SetPosition(kDefaultHuePosition);
    ApplyHuePosition(host, main);
}

}  // namespace hs::app

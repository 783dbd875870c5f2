#include "settings/show_password.h"

#include "settings/keys.h"

namespace hs::settings {

void OnShowPasswordClicked(Host& host, ui::Window& main) {
    if (main["选择框1"].Checked()) {
        main["编辑框密码"].SetInputMode(ui::kPlainInput);
        WriteSetting(host, kShowPassword, "1");
    } else {
        main["编辑框密码"].SetInputMode(ui::kPasswordInput);
        WriteSetting(host, kShowPassword, "2");
    }
}

}  // namespace hs::settings

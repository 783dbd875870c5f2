#include "app/show_password.h"

#include "settings/keys.h"

namespace hs::app {

void OnShowPasswordClicked(Host& host, ui::Window& main) {
    if (main["选择框1"].Checked()) {
        main["编辑框密码"].SetInputMode(ui::kPlainInput);
        settings::WriteSetting(host, settings::kShowPassword, "1");
    } else {
        main["编辑框密码"].SetInputMode(ui::kPasswordInput);
        settings::WriteSetting(host, settings::kShowPassword, "2");
    }
}

}  // namespace hs::app

// The show-password checkbox `选择框1` on the main page.
#pragma once

#include "platform/host.h"
#include "ui/model.h"

namespace hs::app {

// `选择框1` clicked: checked shows the password in plain text and saves "mm" = "1";
// unchecked masks it and saves "mm" = "2".
void OnShowPasswordClicked(Host& host, ui::Window& main);

}  // namespace hs::app

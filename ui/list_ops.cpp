#include "ui/list_ops.h"

namespace hs::ui {

int DeleteSelectedRows(Control list) {
    int deleted = 0;
    for (int row = list.FirstSelectedRow(); row >= 0; row = list.FirstSelectedRow()) {
        list.DeleteRow(row);
        ++deleted;
    }
    return deleted;
}

}  // namespace hs::ui

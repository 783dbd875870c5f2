// Operations on report lists built from the model's own accessors.
#pragma once

#include "ui/model.h"

namespace hs::ui {

// Removes every selected row of a report list: deletes the first selected row,
// reads the selection again and repeats until no row is selected. Returns the
// number of rows deleted.
int DeleteSelectedRows(Control list);

}  // namespace hs::ui

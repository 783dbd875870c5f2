#include "ui/layout_scale.h"

#include "sys/dpi.h"

namespace hs::ui {

std::vector<ControlSpec> ScaleLayout(std::vector<ControlSpec> rows, int dpi) {
    if (dpi <= 0 || dpi == kBaseDpi)
        return rows;
    for (ControlSpec& row : rows) {
        const int width = ScaleSpanToDpi(row.left, row.width, dpi);
        const int height = ScaleSpanToDpi(row.top, row.height, dpi);
        row.left = ScaleToDpi(row.left, dpi);
        row.top = ScaleToDpi(row.top, dpi);
        row.width = width;
        row.height = height;
        int edge = 0;  // the column's left edge at 96 DPI
        for (Column& column : row.columns) {
            const int designed = column.width;
            column.width = ScaleSpanToDpi(edge, designed, dpi);
            edge += designed;
        }
    }
    return rows;
}

}  // namespace hs::ui

#pragma once

class QFileDialog;

namespace app {

// Lets the detail view of one of our file dialogs size its size, type and date
// columns to their contents, the name column taking the rest, instead of the
// fixed first widths that cut them off ("44....KiB").
void FitFileColumns(QFileDialog& dialog);

}  // namespace app

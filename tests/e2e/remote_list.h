#pragma once
// A list view of another process, read and changed from the test. List-view
// messages that carry a pointer need the structure in the list's own
// process: these helpers place it there and copy the answer back.
#include <windows.h>

#include <string>
#include <vector>

namespace driver {

int listRowCount(HWND list);
std::string listCellText(HWND list, int row, int column);
// The texts of one column, top to bottom.
std::vector<std::string> listColumn(HWND list, int column);
std::vector<int> listSelectedRows(HWND list);
// The row's state bits within `mask` (LVM_GETITEMSTATE).
UINT listItemState(HWND list, int row, UINT mask);
// The check box: 2 when ticked, 1 when not (the row's state image).
int listCheckImage(HWND list, int row);
void setListItemState(HWND list, int row, UINT state, UINT mask);
// A click with the left button on the cell, as the user makes it.
void clickListCell(HWND list, int row, int column);

}  // namespace driver

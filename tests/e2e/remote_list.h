#pragma once
// A list view of another process, read and changed from the test. List-view
// messages that carry a pointer need the structure in the list's own
// process: these helpers place it there and copy the answer back.
#include <windows.h>

#include <string>

namespace driver {

int listRowCount(HWND list);
std::string listCellText(HWND list, int row, int column);
// The row's state bits within `mask` (LVM_GETITEMSTATE).
UINT listItemState(HWND list, int row, UINT mask);
// The check box: 2 when ticked, 1 when not (the row's state image).
int listCheckImage(HWND list, int row);
void setListItemState(HWND list, int row, UINT state, UINT mask);
// The header text and the width of a column.
std::string listColumnHeader(HWND list, int column);
int listColumnWidth(HWND list, int column);
// A point inside the given cell, in the list's client coordinates.
POINT listCellCenter(HWND list, int row, int column);
// A click with the left button on the cell, as the user makes it.
void clickListCell(HWND list, int row, int column);

}  // namespace driver

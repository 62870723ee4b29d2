#include "e2e/remote_list.h"

#include <commctrl.h>

namespace driver {

namespace {

constexpr DWORD REPLY_TIMEOUT_MS = 5000;

// Memory in the list's process, released when it goes.
class RemoteBlock {
public:
    RemoteBlock(HWND list, SIZE_T size) : size_(size)
    {
        DWORD processId = 0;
        GetWindowThreadProcessId(list, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (process_)
            address_ = static_cast<char*>(
                VirtualAllocEx(process_, NULL, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    ~RemoteBlock()
    {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_)
            CloseHandle(process_);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool valid() const { return address_ != nullptr; }
    char* at(SIZE_T offset) const { return address_ + offset; }
    bool write(SIZE_T offset, const void* data, SIZE_T bytes) const
    {
        SIZE_T done = 0;
        return offset + bytes <= size_ && WriteProcessMemory(process_, address_ + offset, data, bytes, &done);
    }
    bool read(SIZE_T offset, void* data, SIZE_T bytes) const
    {
        SIZE_T done = 0;
        return offset + bytes <= size_ && ReadProcessMemory(process_, address_ + offset, data, bytes, &done);
    }

private:
    HANDLE process_ = NULL;
    char* address_ = nullptr;
    SIZE_T size_;
};

LRESULT send(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(list, message, wParam, lParam, SMTO_NORMAL, REPLY_TIMEOUT_MS, &result))
        return -1;
    return static_cast<LRESULT>(result);
}

constexpr int TEXT_CAPACITY = 1024;

}  // namespace

int listRowCount(HWND list)
{
    return static_cast<int>(send(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string listCellText(HWND list, int row, int column)
{
    RemoteBlock block(list, sizeof(LVITEMA) + TEXT_CAPACITY);
    if (!block.valid())
        return "<no memory>";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = block.at(sizeof item);
    item.cchTextMax = TEXT_CAPACITY;
    block.write(0, &item, sizeof item);
    char text[TEXT_CAPACITY + 1] = "";
    block.write(sizeof item, text, 1);
    send(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(block.at(0)));
    block.read(sizeof item, text, TEXT_CAPACITY);
    return text;
}

UINT listItemState(HWND list, int row, UINT mask)
{
    return static_cast<UINT>(send(list, LVM_GETITEMSTATE, row, mask));
}

int listCheckImage(HWND list, int row)
{
    return static_cast<int>((listItemState(list, row, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12);
}

void setListItemState(HWND list, int row, UINT state, UINT mask)
{
    RemoteBlock block(list, sizeof(LVITEMA));
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    if (block.write(0, &item, sizeof item))
        send(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(block.at(0)));
}

std::vector<std::string> listColumn(HWND list, int column)
{
    std::vector<std::string> texts;
    for (int row = 0; row < listRowCount(list); ++row)
        texts.push_back(listCellText(list, row, column));
    return texts;
}

std::vector<int> listSelectedRows(HWND list)
{
    std::vector<int> rows;
    for (int row = 0; row < listRowCount(list); ++row)
        if (listItemState(list, row, LVIS_SELECTED) & LVIS_SELECTED)
            rows.push_back(row);
    return rows;
}

namespace {

// The middle of a cell, in the list's client coordinates.
POINT listCellCenter(HWND list, int row, int column)
{
    RemoteBlock block(list, sizeof(RECT));
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    block.write(0, &cell, sizeof cell);
    send(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(block.at(0)));
    block.read(0, &cell, sizeof cell);
    return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

}  // namespace

void clickListCell(HWND list, int row, int column)
{
    POINT at = listCellCenter(list, row, column);
    LPARAM where = MAKELPARAM(at.x, at.y);
    send(list, WM_LBUTTONDOWN, MK_LBUTTON, where);
    send(list, WM_LBUTTONUP, 0, where);
}

}  // namespace driver

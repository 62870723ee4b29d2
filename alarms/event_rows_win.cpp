#include "alarms/event_rows_win.h"

#include <commctrl.h>

#include "alarms/event_rows.h"
#include "app/local_time_win.h"

namespace {

void setColumnText(HWND list, int index, int column, char* text)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
}

void getColumnText(HWND list, int index, int column, char (&text)[TEXT_SIZE])
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = TEXT_SIZE;
    SendMessageA(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
}

void writeRow(HWND list, int index, const AlarmEvent& event)
{
    EventRow row = eventToRow(event);
    LVITEMA check{};
    check.stateMask = LVIS_STATEIMAGEMASK;
    check.state = INDEXTOSTATEIMAGEMASK(row.stateImage);
    SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&check));

    setColumnText(list, index, 1, row.time);
    setColumnText(list, index, 2, row.description);
    setColumnText(list, index, 3, row.periodName);
    setColumnText(list, index, 4, row.periodInfo);
    setColumnText(list, index, 5, row.sound);
}

}  // namespace

void insertEventRow(HWND list, int index, AlarmEvent event)
{
    LVITEMA item{};
    item.iItem = index;
    // The list may place the item elsewhere (a sorted list); follow it.
    index = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (index < 0)
        return;
    writeRow(list, index, event);
}

void updateEventRow(HWND list, int index, const AlarmEvent& event)
{
    writeRow(list, index, event);
}

void readEventRow(HWND list, int index, AlarmEvent* event)
{
    EventRow row{};
    UINT state = static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK));
    row.stateImage = static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12);
    getColumnText(list, index, 1, row.time);
    getColumnText(list, index, 2, row.description);
    getColumnText(list, index, 3, row.periodName);
    getColumnText(list, index, 4, row.periodInfo);
    getColumnText(list, index, 5, row.sound);
    SYSTEMTIME today;
    GetLocalTime(&today);
    *event = eventFromRow(row, toLocalTime(today));
}

int findSelectedRow(HWND list)
{
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index)
        if (SendMessageA(list, LVM_GETITEMSTATE, index, LVIS_SELECTED) & LVIS_SELECTED)
            return index;
    return -1;
}

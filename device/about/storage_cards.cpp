#include "storage_cards.h"

#include "base/paths.h"

bool IsStorageCardEntry(const WIN32_FIND_DATAW& entry) { return IsStorageCard(entry.dwFileAttributes); }

int ForEachStorageCard(const wchar_t* root, const CardVisit& visit, CardTest isCard) {
    PathBuffer pattern;
    if (!JoinPath(pattern, root, L"*.*")) return 0;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int visited = 0;
    do {
        if (!isCard(entry)) continue;
        PathBuffer card;
        ByteFigures space;
        if (!JoinPath(card, root, entry.cFileName) || !ReadVolumeSpace(card, &space)) continue;
        visit(entry.cFileName, space);
        ++visited;
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return visited;
}

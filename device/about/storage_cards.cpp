#include "storage_cards.h"

#include "base/owned_handle.h"
#include "base/paths.h"

bool IsStorageCardEntry(const WIN32_FIND_DATAW& entry) { return IsStorageCard(entry.dwFileAttributes); }

int ForEachStorageCard(const wchar_t* root, const CardVisit& visit, CardTest isCard) {
    PathBuffer pattern;
    if (!JoinPath(pattern, root, L"*.*")) return 0;
    WIN32_FIND_DATAW entry;
    FindHandle search(FindFirstFileW(pattern, &entry));
    if (!search.Valid()) return 0;
    int visited = 0;
    do {
        if (!isCard(entry)) continue;
        PathBuffer card;
        ByteFigures space;
        if (!JoinPath(card, root, entry.cFileName) || !ReadVolumeSpace(card, &space)) continue;
        visit(entry.cFileName, space);
        ++visited;
    } while (FindNextFileW(search.Get(), &entry));
    return visited;
}

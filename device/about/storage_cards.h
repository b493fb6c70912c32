#pragma once
#include <functional>

#include "platform/system_status.h"

// Calls `visit` for every storage card in `root` (on the device "\") whose space can be
// read, in the order the folder lists them, with the card's name and space; returns how
// many were visited. A card whose query fails is skipped; a root that cannot be listed
// has none.
// `isCard` picks the cards among the root's entries (tests mark cards their own way).
using CardVisit = std::function<void(const wchar_t* name, const ByteFigures& space)>;
using CardTest = bool (*)(const WIN32_FIND_DATAW& entry);
bool IsStorageCardEntry(const WIN32_FIND_DATAW& entry);
int ForEachStorageCard(const wchar_t* root, const CardVisit& visit, CardTest isCard = IsStorageCardEntry);

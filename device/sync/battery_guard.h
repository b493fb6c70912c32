#pragma once
#include "sync_host.h"

// A run on battery power: asked about before it starts when the battery is low, and
// stopped between two files when the battery drops to the critical level, so that a flat
// battery never cuts a file in half. On mains power nothing is asked or checked.

// True when the run may start: on mains, `minBattery` 0, a level the platform does not
// know, a level not below `minBattery`, or the user's Yes (No is the default).
bool BatteryAllowsRun(SyncHost& host, int minBattery);

// Watches the battery from one file to the next.
class PowerWatch {
public:
    // At the start of a run: a run started at the critical level (the user said Yes) is not
    // stopped for it, only for a drop to it after the battery had been above it.
    void Start();
    // Before a file is written or deleted: false, said through `host`, when the battery has
    // dropped to the critical level.
    bool Holds(SyncHost& host);

private:
    bool critical_ = false;
};

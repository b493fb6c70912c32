#pragma once
#include "framework/text.h"
#include "set_fields.h"
#include "sync/sync_options.h"

// One option of a set, everywhere it shows: its INI line, its check box in the main
// window, its word on zolvsync's command line and the engine's switch it sets. The set
// file, the window, the console runner and the run are all driven from kSetOptions, so a
// new option is one row here plus what it does.
struct SetOption {
    const char* iniKey;          // "DELETE": the line "DELETE=Y" or "DELETE=N"
    int controlId;               // its check box
    TextPair label;              // the check box's text
    const wchar_t* commandLine;  // "--delete"
    int SetFlags::*flag;
    bool SyncOptions::*option;
};

constexpr int kSetOptionCount = 4;
extern const SetOption kSetOptions[kSetOptionCount];

// The run's switches from a set's flags (what is not a set option stays as it is).
void ApplySetFlags(const SetFlags& flags, SyncOptions& options);
// True when any set option is switched on in `options`.
bool AnySetOption(const SyncOptions& options);

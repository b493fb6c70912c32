#include "set_options.h"

void ApplySetFlags(const SetFlags& flags, SyncOptions& options) {
    for (const SetOption& o : kSetOptions) options.*o.option = flags.*o.flag != 0;
}

bool AnySetOption(const SyncOptions& options) {
    for (const SetOption& o : kSetOptions) {
        if (options.*o.option) return true;
    }
    return false;
}

bool IsMenuOption(int command) {
    for (const SetOption& o : kSetOptions) {
        if (o.shown == SetOption::Shown::MenuItem && o.controlId == command) return true;
    }
    return false;
}

#include "set_options.h"

void ApplySetFlags(const SetFields& set, SyncOptions& options) {
    for (const SetOption& o : kSetOptions) {
        if (o.flag) options.*o.option = set.*o.flag != 0;
        if (o.text) options.*o.textOption = set.*o.text;
    }
}

bool AnySetOption(const SyncOptions& options) {
    for (const SetOption& o : kSetOptions) {
        if (o.option ? options.*o.option : !(options.*o.textOption).empty()) return true;
    }
    return false;
}

bool IsMenuOption(int command) {
    for (const SetOption& o : kSetOptions) {
        if (o.shown == SetOption::Shown::MenuItem && o.controlId == command) return true;
    }
    return false;
}

const SetOption* DialogOptionOf(int command) {
    for (const SetOption& o : kSetOptions) {
        if (o.shown == SetOption::Shown::MenuDialog && o.controlId == command) return &o;
    }
    return nullptr;
}

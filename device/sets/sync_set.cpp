#include "sync_set.h"

#include <cwchar>
#include <new>

namespace {

wchar_t* CopyText(const wchar_t* text) {
    size_t length = wcslen(text);
    wchar_t* copy = new (std::nothrow) wchar_t[length + 1];
    if (copy) wmemcpy(copy, text, length + 1);
    return copy;
}

void CopyField(wchar_t (&field)[MAX_PATH], const wchar_t* text) {
    size_t length = text ? wcslen(text) : 0;
    if (length >= MAX_PATH) length = MAX_PATH - 1;
    if (length) wmemcpy(field, text, length);
    field[length] = L'\0';
}

}  // namespace

SyncSet::~SyncSet() {
    delete[] source;
    delete[] destination;
    delete[] exclude;
}

SyncSet* SyncSet::FromFields(const SetFields& fields) {
    SyncSet* set = new (std::nothrow) SyncSet;
    if (set == nullptr) return nullptr;
    set->source = CopyText(fields.source);
    set->destination = CopyText(fields.destination);
    set->exclude = CopyText(fields.exclude);
    if (set->source == nullptr || set->destination == nullptr || set->exclude == nullptr) {
        delete set;
        return nullptr;
    }
    static_cast<SetFlags&>(*set) = fields;
    return set;
}

void SyncSet::CopyTo(SetFields& fields) const {
    CopyField(fields.source, source);
    CopyField(fields.destination, destination);
    CopyField(fields.exclude, exclude);
    static_cast<SetFlags&>(fields) = *this;
}

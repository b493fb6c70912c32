#pragma once
#include "base/object.h"
#include "set_fields.h"

// The record attached to one set-list item: owned copies of the folders, and the flags.
// The name is the item's text. The list owns the records.
class SyncSet : public FObject, public SetFlags {
public:
    ~SyncSet() override;
    // Null when memory cannot be had: the caller then must not keep the item.
    static SyncSet* FromFields(const SetFields& fields);
    // Copies the record into the fields (all but the name).
    void CopyTo(SetFields& fields) const;

    wchar_t* source = nullptr;
    wchar_t* destination = nullptr;
    wchar_t* exclude = nullptr;

private:
    SyncSet() = default;
};

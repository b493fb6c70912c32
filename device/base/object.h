#pragma once

// Root of every framework class: its one virtual operation is the destructor.
class FObject {
public:
    virtual ~FObject() = default;
};

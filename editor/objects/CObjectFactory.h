#pragma once
// The object classes by type row, as a table: row i makes the object of its class for
// type i, with its queued preview work cancelled before any part of it goes. Rows 0 and
// 25 to 29 (and any number outside the table) make none, so a document holding such an
// object does not load.

#include <cstdint>
#include <memory>

class CEditorObject;

class CObjectFactory {
public:
    using Creator = std::unique_ptr<CEditorObject> (*)(int32_t objectTypeIndex);

    static std::unique_ptr<CEditorObject> Create(int32_t objectTypeIndex);
    // The table's creator of a row; none for rows no class serves.
    static Creator CreatorOf(int32_t objectTypeIndex);
};

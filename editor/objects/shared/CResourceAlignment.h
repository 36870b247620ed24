#pragma once
// Keeps collection and compile of a page's objects in step: CollectImages and Compile
// walk the same ordered list through the compile's one resource index cursor, so each
// object's compile must take exactly the entries its collection appended. Collect and
// Compile here run the object's own operations and note the counts; a debug build
// asserts on a mismatch, a release build reports it through Mismatches(). (The last
// object's takes beyond the list read 0 and leave the cursor, so they cannot be counted.)
//
//   CResourceAlignment alignment(context.resources);
//   for (object : objects, last to first) alignment.Collect(*object, file);
//   ...
//   for (object : objects, last to first) alignment.Compile(*object, file, context);

#include <cstddef>
#include <vector>

class CEditorObject;
class CResourceIndex;
class DRIFFFile;
struct CObjectCompileContext;

class CResourceAlignment {
public:
    explicit CResourceAlignment(CResourceIndex& resources) : m_resources(resources) {}

    // The object's CollectImages; the number of entries it appended.
    std::size_t Collect(CEditorObject& object, DRIFFFile& target);
    // The object's Compile, checked against the count of the collection of the same
    // position; its result.
    int Compile(CEditorObject& object, DRIFFFile& target, CObjectCompileContext& context);

    // Objects whose compile took another number of entries than their collection added.
    std::size_t Mismatches() const { return m_mismatches; }

private:
    CResourceIndex& m_resources;
    std::vector<std::size_t> m_collected;
    std::size_t m_compiled = 0;
    std::size_t m_mismatches = 0;
};

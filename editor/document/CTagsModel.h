#pragma once
// The project's tags as the tags grid shows them, without the grid: rows, name entry,
// validation, row commands, merge, allocation of "memory" tags with the listing, and the
// resolution of a tag's original name into a tag reference. Row order is the grid's
// order; a view's sorting never reaches it.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document/CTagRow.h"
#include "foundation/target/TargetTag.h"

class CTagReferenceIndex;

struct CTagMerge {
    std::u16string from;   // original name of a row the merge removed
    std::u16string to;     // original name of the row it joined
};

// Told of every change, so views refresh and the project follows merges.
class CTagsModelListener {
public:
    virtual ~CTagsModelListener() = default;
    // Rows were added, removed or moved.
    virtual void OnTagRowsReset() {}
    // Values changed in rows that stay where they are.
    virtual void OnTagValuesChanged() {}
    // A person's edit changed the rows or their values (not an address the compiler
    // allocated): the project that owns the tags is modified.
    virtual void OnTagsEdited() {}
    // Property values naming a merged tag follow the merge.
    virtual void OnTagsMerged(std::span<const CTagMerge> /*merges*/) {}
};

enum class TagMove { ToTop, Up, Down, ToBottom };
enum class GridSorting { Unsorted, Sorted };
enum class IdenticalTags { Keep, Merge };

class CTagsModel {
public:
    static constexpr uint32_t kDefaultTagMemorySize = 0x10000;

    CTagsModel();
    ~CTagsModel();
    CTagsModel(const CTagsModel&) = delete;
    CTagsModel& operator=(const CTagsModel&) = delete;

    // Listeners stay registered until removed; the caller keeps them alive.
    void AddListener(CTagsModelListener& listener);
    void RemoveListener(CTagsModelListener& listener);
    // The project's "tagMemorySize" and the slot of its native encoding.
    void SetTagMemorySize(uint32_t bytes);
    uint32_t GetTagMemorySize() const { return m_tagMemorySize; }
    void SetNativeEncoding(uint32_t slot);

    int RowCount() const { return int(m_rows.size()); }
    const CTagRow& Row(int row) const { return m_rows[std::size_t(row)]; }
    std::span<const CTagRow> Rows() const { return m_rows; }

    // The grid commands; each returns the index of the row it made.
    int AddNumericTag();
    int AddStringTag();
    // A row read from a document or a tags file; with Merge, a row identical to one of
    // the same name already present is not added again (that row's index is returned).
    int AddTag(CTagRow row, IdenticalTags identical);
    void DeleteTags(std::span<const int> rows);
    // A copy of each row at the end, name and original name made unique; their indexes.
    std::vector<int> DuplicateTags(std::span<const int> rows);
    bool CanMerge(std::span<const int> selected, int current) const;
    void MergeIdenticalTags(std::span<const int> selected, int current);
    bool CanMove(int row, TagMove move, GridSorting sorting, int selectedCount) const;
    // The row's new index.
    int Move(int row, TagMove move);
    void Clear();

    // Refused (false, the old name kept) when empty, not beginning with a letter, another
    // row's name, beginning "sys" or "<objectTag>". The first name also sets the original
    // name, blanks made "_" and unique.
    bool SetName(int row, std::u16string_view name);
    void SetType(int row, std::u16string_view type);
    // String rows only; clamped to the string limits.
    void SetSize(int row, int32_t size);
    void SetAddress(int row, std::u16string_view text);
    // The edited row, then every other row that has a warning.
    void ValidateAddresses(int editedRow);

    // Places every "memory" row and returns the memory listing's text.
    std::u16string AllocateMemoryTags();

    // The row whose original name is name; -1 when none.
    int FindByOriginalName(std::u16string_view name) const;
    // The tag reference of an original name; "no tag" for a "sys" name or an unknown one.
    target::TagReference Resolve(std::u16string_view originalName) const;
    // A row has that original name.
    bool HasTag(std::u16string_view originalName) const;
    // The current name of the row with that original name, else the text itself.
    std::u16string DisplayName(std::u16string_view originalName) const;
    // For a "memory" row the last allocation found no place for: its name, size and the
    // tag memory, "<name> (<size> bytes, tag memory <n> bytes)"; empty for any other name.
    std::u16string TagMemoryShortage(std::u16string_view originalName) const;

    // text made unique in a column: ":2" appended, or the number after the last ":"
    // increased, while another row holds it.
    std::u16string MakeUnique(std::u16string_view text, TagColumn column, int exceptRow) const;

private:
    const CTagReferenceIndex& Index() const;
    bool IsTaken(std::u16string_view text, TagColumn column, int exceptRow) const;
    void ValidateRow(int row);
    void Notify(void (CTagsModelListener::*change)());
    void RowsReset();
    void ValuesChanged();

    std::vector<CTagRow> m_rows;
    uint32_t m_tagMemorySize = kDefaultTagMemorySize;
    uint32_t m_nativeEncoding;
    std::vector<CTagsModelListener*> m_listeners;
    // Built on the first resolution after a change; a compile resolves many names.
    mutable std::unique_ptr<CTagReferenceIndex> m_index;
};

#include "editor/document/CTagsModel.h"

#include <algorithm>
#include <set>

#include "editor/document/CSysTag.h"
#include "editor/document/CTagAllocation.h"
#include "editor/document/CTagReferenceIndex.h"
#include "editor/document/CTagType.h"
#include "foundation/TextHelpers.h"
#include "foundation/target/TargetTagTypes.h"

namespace {

constexpr std::u16string_view kObjectTag = u"<objectTag>";

const std::u16string& columnText(const CTagRow& row, TagColumn column)
{
    switch (column) {
    case TagColumn::OriginalName:
        return row.originalName;
    case TagColumn::FixName:
        return row.fixName;
    default:
        return row.name;
    }
}

bool isLetter(char16_t unit)
{
    // Letters of the Latin-1 supplement and beyond count too, but not its signs.
    return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
           (unit >= 0xC0 && unit != 0xD7 && unit != 0xF7);
}

} // namespace

CTagsModel::CTagsModel() : m_nativeEncoding(target::TagTypes::kUtf8) {}

CTagsModel::~CTagsModel() = default;

void CTagsModel::SetTagMemorySize(uint32_t bytes)
{
    m_tagMemorySize = bytes;
}

void CTagsModel::SetNativeEncoding(uint32_t slot)
{
    m_nativeEncoding = slot;
    m_index.reset();
}

void CTagsModel::AddListener(CTagsModelListener& listener)
{
    m_listeners.push_back(&listener);
}

void CTagsModel::RemoveListener(CTagsModelListener& listener)
{
    std::erase(m_listeners, &listener);
}

void CTagsModel::Notify(void (CTagsModelListener::*change)())
{
    // A copy, so a listener may come or go while it is told.
    for (CTagsModelListener* listener : std::vector(m_listeners))
        (listener->*change)();
}

void CTagsModel::RowsReset()
{
    m_index.reset();
    Notify(&CTagsModelListener::OnTagsEdited);
    Notify(&CTagsModelListener::OnTagRowsReset);
}

void CTagsModel::ValuesChanged()
{
    m_index.reset();
    Notify(&CTagsModelListener::OnTagsEdited);
    Notify(&CTagsModelListener::OnTagValuesChanged);
}

int CTagsModel::AddNumericTag()
{
    m_rows.push_back(CTagRow{});
    RowsReset();
    return RowCount() - 1;
}

int CTagsModel::AddStringTag()
{
    CTagRow row;
    row.type = CTagType::Name(target::TagTypes::kNativeEncoding);
    row.size = CTagType::kNewStringSize;
    m_rows.push_back(std::move(row));
    RowsReset();
    return RowCount() - 1;
}

int CTagsModel::AddTag(CTagRow row, IdenticalTags identical)
{
    if (identical == IdenticalTags::Merge) {
        for (int i = 0; i < RowCount(); ++i)
            if (m_rows[std::size_t(i)].name == row.name && m_rows[std::size_t(i)].IsIdenticalTo(row))
                return i;
    }
    if (row.originalName.empty())
        row.originalName = row.name;
    m_rows.push_back(std::move(row));
    RowsReset();
    return RowCount() - 1;
}

void CTagsModel::DeleteTags(std::span<const int> rows)
{
    const std::set<int, std::greater<>> doomed(rows.begin(), rows.end());
    bool removed = false;
    for (const int row : doomed) {
        if (row >= 0 && row < RowCount()) {
            m_rows.erase(m_rows.begin() + row);
            removed = true;
        }
    }
    if (removed)
        RowsReset();
}

std::vector<int> CTagsModel::DuplicateTags(std::span<const int> rows)
{
    std::vector<int> copies;
    for (const int row : rows) {
        if (row < 0 || row >= RowCount())
            continue;
        CTagRow copy = m_rows[std::size_t(row)];
        copy.name = MakeUnique(copy.name, TagColumn::Name, -1);
        copy.originalName = MakeUnique(copy.originalName, TagColumn::OriginalName, -1);
        copy.fixName.clear();
        copy.allocated.reset();
        m_rows.push_back(std::move(copy));
        copies.push_back(RowCount() - 1);
    }
    if (!copies.empty())
        RowsReset();
    return copies;
}

bool CTagsModel::CanMerge(std::span<const int> selected, int current) const
{
    if (selected.size() < 2 || current < 0 || current >= RowCount())
        return false;
    const CTagRow& target = m_rows[std::size_t(current)];
    return std::any_of(selected.begin(), selected.end(), [&](int row) {
        return row != current && row >= 0 && row < RowCount() && m_rows[std::size_t(row)].IsIdenticalTo(target);
    });
}

void CTagsModel::MergeIdenticalTags(std::span<const int> selected, int current)
{
    if (!CanMerge(selected, current))
        return;
    const CTagRow target = m_rows[std::size_t(current)];
    std::vector<CTagMerge> merges;
    std::vector<int> joined;
    for (const int row : selected) {
        if (row == current || row < 0 || row >= RowCount())
            continue;
        CTagRow& other = m_rows[std::size_t(row)];
        if (!other.IsIdenticalTo(target))
            continue;
        other.name = target.name;
        other.fixName = target.originalName;
        merges.push_back({other.originalName, target.originalName});
        joined.push_back(row);
    }
    DeleteTags(joined);
    for (CTagsModelListener* listener : std::vector(m_listeners))
        listener->OnTagsMerged(merges);
}

bool CTagsModel::CanMove(int row, TagMove move, GridSorting sorting, int selectedCount) const
{
    if (sorting == GridSorting::Sorted || selectedCount > 1 || row < 0 || row >= RowCount())
        return false;
    const bool towardsTop = move == TagMove::ToTop || move == TagMove::Up;
    return towardsTop ? row > 0 : row < RowCount() - 1;
}

int CTagsModel::Move(int row, TagMove move)
{
    if (!CanMove(row, move, GridSorting::Unsorted, 1))
        return row;
    int to = row;
    switch (move) {
    case TagMove::ToTop:
        to = 0;
        break;
    case TagMove::Up:
        to = row - 1;
        break;
    case TagMove::Down:
        to = row + 1;
        break;
    case TagMove::ToBottom:
        to = RowCount() - 1;
        break;
    }
    CTagRow moved = std::move(m_rows[std::size_t(row)]);
    m_rows.erase(m_rows.begin() + row);
    m_rows.insert(m_rows.begin() + to, std::move(moved));
    RowsReset();
    return to;
}

void CTagsModel::Clear()
{
    m_rows.clear();
    RowsReset();
}

bool CTagsModel::IsTaken(std::u16string_view text, TagColumn column, int exceptRow) const
{
    for (int i = 0; i < RowCount(); ++i)
        if (i != exceptRow && columnText(m_rows[std::size_t(i)], column) == text)
            return true;
    return false;
}

std::u16string CTagsModel::MakeUnique(std::u16string_view text, TagColumn column, int exceptRow) const
{
    std::u16string unique(text);
    while (IsTaken(unique, column, exceptRow)) {
        if (unique.find(u':', 2) == std::u16string::npos) {
            unique += u":2";
            continue;
        }
        const std::size_t colon = unique.rfind(u':');
        uint64_t number = 0;
        for (std::size_t i = colon + 1; i < unique.size() && unique[i] >= u'0' && unique[i] <= u'9'; ++i)
            number = std::min<uint64_t>(number * 10 + uint64_t(unique[i] - u'0'), UINT32_MAX);
        const std::string digits = std::to_string(number + 1);
        unique.resize(colon + 1);
        unique.append(digits.begin(), digits.end());
    }
    return unique;
}

bool CTagsModel::SetName(int row, std::u16string_view name)
{
    if (row < 0 || row >= RowCount())
        return false;
    if (name.empty() || !isLetter(name.front()) || IsTaken(name, TagColumn::Name, row) ||
        CSysTag::IsSystemTagName(name) || name == kObjectTag)
        return false;
    CTagRow& tag = m_rows[std::size_t(row)];
    if (tag.name == name)
        return true;
    tag.name = name;
    if (tag.originalName.empty()) {
        std::u16string original(name);
        std::replace(original.begin(), original.end(), u' ', u'_');
        tag.originalName = MakeUnique(original, TagColumn::OriginalName, row);
    }
    ValuesChanged();
    return true;
}

void CTagsModel::SetType(int row, std::u16string_view type)
{
    if (row < 0 || row >= RowCount())
        return;
    CTagRow& tag = m_rows[std::size_t(row)];
    tag.type = type;
    tag.size = CTagType::SizeForType(type, tag.size);
    ValidateAddresses(row);
    ValuesChanged();
}

void CTagsModel::SetSize(int row, int32_t size)
{
    if (row < 0 || row >= RowCount() || CTagType::IsNumeric(m_rows[std::size_t(row)].type))
        return;
    m_rows[std::size_t(row)].size = CTagType::ClampStringSize(size);
    ValidateAddresses(row);
    ValuesChanged();
}

void CTagsModel::SetAddress(int row, std::u16string_view text)
{
    if (row < 0 || row >= RowCount())
        return;
    CTagRow& tag = m_rows[std::size_t(row)];
    tag.address = CTagAddress::FromText(text);
    tag.allocated.reset();
    ValidateAddresses(row);
    ValuesChanged();
}

void CTagsModel::ValidateRow(int row)
{
    CTagRow& tag = m_rows[std::size_t(row)];
    if (tag.address.kind != CTagAddress::Kind::Fixed) {
        tag.warning.clear();
        return;
    }
    const uint64_t a = tag.address.start;
    // A size below 1 (only a damaged file gives one) still occupies its start byte.
    const uint64_t s = uint64_t(std::max(tag.size, 1));
    const uint64_t u = uint64_t(CTagType::Alignment(tag.type, tag.size));
    if (a + s > m_tagMemorySize) {
        tag.warning = kOutOfMemoryWarning;
        return;
    }
    if (a % u != 0) {
        tag.warning = u"nonalignment";
        return;
    }
    for (int i = 0; i < RowCount(); ++i) {
        const CTagRow& other = m_rows[std::size_t(i)];
        if (i == row || !other.warning.empty() || other.address.kind != CTagAddress::Kind::Fixed)
            continue;
        const uint64_t b = other.address.start;
        const uint64_t t = uint64_t(std::max(other.size, 1));
        if (a + s - 1 >= b && b + t - 1 >= a) {
            tag.warning = u"overlapping";
            return;
        }
    }
    tag.warning.clear();
}

void CTagsModel::ValidateAddresses(int editedRow)
{
    if (editedRow >= 0 && editedRow < RowCount())
        ValidateRow(editedRow);
    for (int i = 0; i < RowCount(); ++i)
        if (i != editedRow && !m_rows[std::size_t(i)].warning.empty())
            ValidateRow(i);
    Notify(&CTagsModelListener::OnTagValuesChanged);
}

std::u16string CTagsModel::AllocateMemoryTags()
{
    std::u16string listing = CTagAllocation::Run(m_rows, m_tagMemorySize);
    m_index.reset();
    Notify(&CTagsModelListener::OnTagValuesChanged);
    return listing;
}

int CTagsModel::FindByOriginalName(std::u16string_view name) const
{
    for (int i = 0; i < RowCount(); ++i)
        if (m_rows[std::size_t(i)].originalName == name)
            return i;
    return -1;
}

const CTagReferenceIndex& CTagsModel::Index() const
{
    if (!m_index)
        m_index = std::make_unique<CTagReferenceIndex>(m_rows, m_nativeEncoding);
    return *m_index;
}

target::TagReference CTagsModel::Resolve(std::u16string_view originalName) const
{
    return Index().Find(originalName);
}

bool CTagsModel::HasTag(std::u16string_view originalName) const
{
    return Index().Contains(originalName);
}

std::u16string CTagsModel::DisplayName(std::u16string_view originalName) const
{
    const int row = FindByOriginalName(originalName);
    return row < 0 ? std::u16string(originalName) : m_rows[std::size_t(row)].name;
}

std::u16string CTagsModel::TagMemoryShortage(std::u16string_view originalName) const
{
    const int index = FindByOriginalName(originalName);
    if (index < 0)
        return {};
    const CTagRow& row = m_rows[std::size_t(index)];
    if (row.address.kind != CTagAddress::Kind::Memory || row.allocated || row.warning != kOutOfMemoryWarning)
        return {};
    return row.name + u" (" + utf8ToWide(std::to_string(row.size)) + u" bytes, tag memory "
        + utf8ToWide(std::to_string(m_tagMemorySize)) + u" bytes)";
}

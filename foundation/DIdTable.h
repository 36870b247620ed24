#pragma once
// A table indexed by a type id, written as rows that name their id. It is built while
// compiling: a row whose id lies past the table or repeats an earlier row's id stops the
// build, so no row can sit at the wrong index. Ids without a row hold the empty value.
//
//   constexpr auto kKinds = DIdTable<Kind, Maker, 12>::build({{Kind::Text, &makeText}, ...});

#include <array>
#include <cstddef>

template <class Id, class Value, std::size_t Size>
struct DIdTable {
    struct Row {
        Id id;
        Value value;
    };

    template <std::size_t Rows>
    static consteval std::array<Value, Size> build(const Row (&rows)[Rows], Value empty = Value{})
    {
        std::array<Value, Size> table{};
        table.fill(empty);
        std::array<bool, Size> given{};
        for (const Row& row : rows) {
            const auto index = std::size_t(row.id);
            // Reaching a throw while compiling is what makes a bad row an error.
            if (index >= Size)
                throw "a row's id lies past the end of the table";
            if (given[index])
                throw "two rows give the same id";
            given[index] = true;
            table[index] = row.value;
        }
        return table;
    }
};

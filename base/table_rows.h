#pragma once

// Reading the constant tables the cores keep, an array of rows such as a tool's protocols or
// formats with their names: one column as a list, and the row that holds a value.

#include <cstddef>
#include <type_traits>
#include <vector>

// The values of one column, in the rows' order.
template <typename Row, std::size_t N, typename Value>
std::vector<Value> table_column(const Row (&rows)[N], Value Row::*column) {
    std::vector<Value> values;
    values.reserve(N);
    for (const Row& row : rows) {
        values.push_back(row.*column);
    }
    return values;
}

// The first row whose `column` holds `value`; nothing when no row does.
template <typename Row, std::size_t N, typename Value>
const Row* find_row(const Row (&rows)[N], Value Row::*column,
                    const std::type_identity_t<Value>& value) {
    for (const Row& row : rows) {
        if (row.*column == value) {
            return &row;
        }
    }
    return nullptr;
}

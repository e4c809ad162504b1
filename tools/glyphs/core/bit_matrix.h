#pragma once

#include <cstdint>
#include <vector>

// A glyph's cell: `width` × `height` pixels, each lit or not. Pixels outside the cell read as
// unlit and ignore writes, so a glyph drawn or shifted past the edge is simply cut off.
class BitMatrix {
public:
    BitMatrix() = default;
    BitMatrix(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool is_empty() const { return m_width == 0 || m_height == 0; }

    bool lit(int x, int y) const { return contains(x, y) && m_pixels[index(x, y)] != 0; }
    void set(int x, int y, bool lit);
    void toggle(int x, int y);

    bool operator==(const BitMatrix& other) const = default;

private:
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
               static_cast<std::size_t>(x);
    }

    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_pixels;  // row by row, 1 for a lit pixel
};

#include "bit_matrix.h"

#include <algorithm>

BitMatrix::BitMatrix(int width, int height)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), 0) {}

void BitMatrix::set(int x, int y, bool lit) {
    if (contains(x, y)) {
        m_pixels[index(x, y)] = lit ? 1 : 0;
    }
}

void BitMatrix::toggle(int x, int y) {
    if (contains(x, y)) {
        m_pixels[index(x, y)] ^= 1;
    }
}

// A uniform grid over boxes: cell size from the boxes' typical size, items listed per cell in one flat array.
#include "slopes/box_grid.h"

#include <algorithm>
#include <cmath>

namespace kelvora::slopes {

namespace {

// About as many cells as items keeps both the per-cell lists and the empty cells few; the cap on
// one axis keeps a long thin set of boxes (a slope along a road) from asking for a huge grid.
constexpr double kCellsPerItem = 1.0;
constexpr int kMaxCellsPerAxis = 4096;

}  // namespace

BoxGrid::BoxGrid(const std::vector<Box2d>& boxes)
{
    if (boxes.empty())
        return;
    m_bounds = boxes.front();
    double sumWidth = 0.0;
    double sumHeight = 0.0;
    for (const Box2d& b : boxes) {
        m_bounds.xMin = std::min(m_bounds.xMin, b.xMin);
        m_bounds.yMin = std::min(m_bounds.yMin, b.yMin);
        m_bounds.xMax = std::max(m_bounds.xMax, b.xMax);
        m_bounds.yMax = std::max(m_bounds.yMax, b.yMax);
        sumWidth += b.xMax - b.xMin;
        sumHeight += b.yMax - b.yMin;
    }
    if (!std::isfinite(m_bounds.xMin) || !std::isfinite(m_bounds.yMin) || !std::isfinite(m_bounds.xMax) ||
        !std::isfinite(m_bounds.yMax))
        return;
    const double width = m_bounds.xMax - m_bounds.xMin;
    const double height = m_bounds.yMax - m_bounds.yMin;
    const double count = static_cast<double>(boxes.size());
    // A cell about the size of an average box, but no more cells than items on the whole.
    double cell = std::max(sumWidth, sumHeight) / count;
    const double area = width * height;
    if (area > 0.0)
        cell = std::max(cell, std::sqrt(area / (count * kCellsPerItem)));
    if (!(cell > 0.0))
        cell = std::max({width, height, 1.0});
    auto cellsFor = [&](double extent) {
        const double n = std::ceil(extent / cell);
        return static_cast<int>(std::clamp(n, 1.0, static_cast<double>(kMaxCellsPerAxis)));
    };
    m_cellsX = cellsFor(width);
    m_cellsY = cellsFor(height);
    m_cellWidth = width > 0.0 ? width / m_cellsX : 1.0;
    m_cellHeight = height > 0.0 ? height / m_cellsY : 1.0;

    // Two passes: count the entries of each cell, then fill them in item order.
    const size_t cellCount = static_cast<size_t>(m_cellsX) * static_cast<size_t>(m_cellsY);
    m_cellStart.assign(cellCount + 1, 0);
    auto forCells = [&](const Box2d& b, auto&& action) {
        const int x0 = cellX(b.xMin);
        const int x1 = cellX(b.xMax);
        const int y0 = cellY(b.yMin);
        const int y1 = cellY(b.yMax);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                action(static_cast<size_t>(y) * static_cast<size_t>(m_cellsX) + static_cast<size_t>(x));
    };
    for (const Box2d& b : boxes)
        forCells(b, [&](size_t c) { ++m_cellStart[c + 1]; });
    for (size_t c = 0; c < cellCount; ++c)
        m_cellStart[c + 1] += m_cellStart[c];
    m_cellItems.resize(m_cellStart[cellCount]);
    std::vector<uint32_t> fill(m_cellStart.begin(), m_cellStart.end() - 1);
    for (size_t i = 0; i < boxes.size(); ++i)
        forCells(boxes[i], [&](size_t c) { m_cellItems[fill[c]++] = static_cast<uint32_t>(i); });
}

int BoxGrid::cellX(double x) const
{
    const double at = std::floor((x - m_bounds.xMin) / m_cellWidth);
    return static_cast<int>(std::clamp(at, 0.0, static_cast<double>(m_cellsX - 1)));
}

int BoxGrid::cellY(double y) const
{
    const double at = std::floor((y - m_bounds.yMin) / m_cellHeight);
    return static_cast<int>(std::clamp(at, 0.0, static_cast<double>(m_cellsY - 1)));
}

}  // namespace kelvora::slopes

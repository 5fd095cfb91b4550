// A uniform grid over axis-aligned boxes in the XY plane: which boxes a box or a ray may touch, without testing them all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelvora::slopes {

struct Box2d {
    double xMin = 0.0;
    double yMin = 0.0;
    double xMax = 0.0;
    double yMax = 0.0;

    bool overlaps(const Box2d& other) const
    {
        return xMin <= other.xMax && other.xMin <= xMax && yMin <= other.yMax && other.yMin <= yMax;
    }
};

// Built once from a list of boxes (item i is box i); queries hand back item indices. A query may
// name an item more than once across cells: callers keep their own "seen" marks (markers()).
// The grid is only a filter: every item whose box truly overlaps the query is named, nothing more
// is promised.
class BoxGrid {
public:
    explicit BoxGrid(const std::vector<Box2d>& boxes);

    // The items listed in the cells the box covers (duplicates possible).
    template <class VISIT>
    void forEachNear(const Box2d& box, VISIT&& visit) const
    {
        if (m_cellsX == 0 || !box.overlaps(m_bounds))
            return;
        const int x0 = cellX(box.xMin);
        const int x1 = cellX(box.xMax);
        const int y0 = cellY(box.yMin);
        const int y1 = cellY(box.yMax);
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const size_t cell = static_cast<size_t>(y) * static_cast<size_t>(m_cellsX) + static_cast<size_t>(x);
                for (uint32_t k = m_cellStart[cell]; k < m_cellStart[cell + 1]; ++k)
                    visit(m_cellItems[k]);
            }
        }
    }

    // Walks the cells that the ray origin + t * direction (t >= 0, direction in XY, any length)
    // crosses, nearest first. For each cell, visit(items, count, tEnter) receives its items and the
    // ray parameter where the ray enters it, and answers false to stop the walk.
    template <class VISIT>
    void walkRay(double originX, double originY, double dirX, double dirY, VISIT&& visit) const;

    bool empty() const { return m_cellsX == 0; }
    const Box2d& bounds() const { return m_bounds; }

private:
    int cellX(double x) const;
    int cellY(double y) const;

    Box2d m_bounds;
    int m_cellsX = 0;
    int m_cellsY = 0;
    double m_cellWidth = 1.0;
    double m_cellHeight = 1.0;
    std::vector<uint32_t> m_cellStart;  // per cell, its first entry in m_cellItems (one more at the end)
    std::vector<uint32_t> m_cellItems;
};

}  // namespace kelvora::slopes

#include "slopes/box_grid_walk.h"

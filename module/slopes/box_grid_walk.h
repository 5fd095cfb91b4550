// The ray walk of BoxGrid (a template, so it lives in a header): the cells a ray crosses, nearest first.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvora::slopes {

template <class VISIT>
void BoxGrid::walkRay(double originX, double originY, double dirX, double dirY, VISIT&& visit) const
{
    if (m_cellsX == 0 || !std::isfinite(originX) || !std::isfinite(originY) || !std::isfinite(dirX) ||
        !std::isfinite(dirY))
        return;
    const double inf = std::numeric_limits<double>::infinity();
    // Clip the ray to the grid's bounds (slab test); tEnter is where the walk starts.
    double tEnter = 0.0;
    double tLeave = inf;
    const double origin[2] = {originX, originY};
    const double dir[2] = {dirX, dirY};
    const double lo[2] = {m_bounds.xMin, m_bounds.yMin};
    const double hi[2] = {m_bounds.xMax, m_bounds.yMax};
    for (int axis = 0; axis < 2; ++axis) {
        if (!(std::fabs(dir[axis]) > 0.0)) {  // an axis-parallel ray never changes this coordinate
            if (origin[axis] < lo[axis] || origin[axis] > hi[axis])
                return;
            continue;
        }
        double t0 = (lo[axis] - origin[axis]) / dir[axis];
        double t1 = (hi[axis] - origin[axis]) / dir[axis];
        if (t0 > t1)
            std::swap(t0, t1);
        tEnter = std::max(tEnter, t0);
        tLeave = std::min(tLeave, t1);
    }
    if (tEnter > tLeave)
        return;
    const double startX = originX + dirX * tEnter;
    const double startY = originY + dirY * tEnter;
    int x = cellX(startX);
    int y = cellY(startY);
    const int stepX = dirX > 0.0 ? 1 : (dirX < 0.0 ? -1 : 0);
    const int stepY = dirY > 0.0 ? 1 : (dirY < 0.0 ? -1 : 0);
    // Ray parameter of the next vertical / horizontal cell border, and the parameter span of one cell.
    auto borderT = [&](int cell, int step, double lowEdge, double size, double o, double d) {
        if (step == 0)
            return inf;
        const double edge = lowEdge + (step > 0 ? cell + 1 : cell) * size;
        return (edge - o) / d;
    };
    double nextX = borderT(x, stepX, m_bounds.xMin, m_cellWidth, originX, dirX);
    double nextY = borderT(y, stepY, m_bounds.yMin, m_cellHeight, originY, dirY);
    const double spanX = stepX != 0 ? m_cellWidth / std::fabs(dirX) : inf;
    const double spanY = stepY != 0 ? m_cellHeight / std::fabs(dirY) : inf;
    double cellEnter = tEnter;
    if (stepX == 0 && stepY == 0) {
        // Seen from above the ray is a point: its one cell holds every box it can meet.
        const size_t cell = static_cast<size_t>(y) * static_cast<size_t>(m_cellsX) + static_cast<size_t>(x);
        visit(m_cellItems.data() + m_cellStart[cell], m_cellStart[cell + 1] - m_cellStart[cell], cellEnter);
        return;
    }
    for (;;) {
        const size_t cell = static_cast<size_t>(y) * static_cast<size_t>(m_cellsX) + static_cast<size_t>(x);
        const uint32_t first = m_cellStart[cell];
        if (!visit(m_cellItems.data() + first, m_cellStart[cell + 1] - first, cellEnter))
            return;
        if (nextX < nextY) {
            x += stepX;
            cellEnter = nextX;
            nextX += spanX;
        } else {
            y += stepY;
            cellEnter = nextY;
            nextY += spanY;
        }
        if (x < 0 || y < 0 || x >= m_cellsX || y >= m_cellsY || cellEnter > tLeave)
            return;
    }
}

}  // namespace kelvora::slopes

#pragma once
#include <cstdint>
#include <span>

#include "platform/raster/drawing.h"

// Region makers shared by the region-based effects. Each returns a new region
// owned by the caller. X and Y are the extents reached (0..2W, 0..2H), W and H
// the picture size. XMode steers the rows (horizontal bars or strips, which
// grow across the width), YMode the columns; "end" is the right edge for rows
// and the bottom edge for columns, "start" the left or top edge.
namespace effects {

// Modes of CreateBarRgn. With a doubled extent the even bars fill in the first
// half of the transition and the odd bars in the second.
namespace BarMode {
inline constexpr int32_t Off = 0;  // with an extent of 0: no bars
inline constexpr int32_t FromEnd = 1;  // both halves from the end
inline constexpr int32_t FromStart = 2;  // both halves from the start
inline constexpr int32_t BothWays = 3;  // plain extent: even bars from the end, odd from the start, at once
inline constexpr int32_t StartThenEnd = 4;  // first half from the start, second half from the end
inline constexpr int32_t EndThenStart = 5;  // first half from the end, second half from the start
}  // namespace BarMode

// Modes of CreatePourRgn.
namespace PourMode {
inline constexpr int32_t Off = 0;
inline constexpr int32_t FromEnd = 1;
inline constexpr int32_t FromStart = 2;
inline constexpr int32_t OutFromMiddle = 3;
inline constexpr int32_t InFromBothEdges = 4;  // and any other value
}  // namespace PourMode

// Modes of CreateSwarmRgn.
namespace SwarmMode {
inline constexpr int32_t Off = 0;
inline constexpr int32_t FromEnd = 1;
inline constexpr int32_t FromStart = 2;  // and any other value but Off
}  // namespace SwarmMode

// Bars of size min(W, H) div 50 + 1: even bars fill first, then odd bars.
raster::RegionPtr CreateBarRgn(int32_t X, int32_t Y, int32_t W, int32_t H, int32_t XMode, int32_t YMode);
// Thin strips with a random ragged edge, drawn anew from the shared generator.
raster::RegionPtr CreatePourRgn(int32_t X, int32_t Y, int32_t W, int32_t H, int32_t XMode, int32_t YMode);
// A solid part plus squares scattered ahead of its edge (shared generator).
raster::RegionPtr CreateSwarmRgn(int32_t X, int32_t Y, int32_t W, int32_t H, int32_t XMode, int32_t YMode);
// A fan from (mX, mY) through NumPts arc points from StartAngle in steps of
// (EndAngle - StartAngle) / NumPts. NumPts >= 1.
raster::RegionPtr CreateSliceRgn(int32_t mX, int32_t mY, int32_t Radius, long double StartAngle, long double EndAngle,
                                 int32_t NumPts);
// Polygon (winding rule) through x0, y0, x1, y1, ...; a trailing odd value is ignored.
raster::RegionPtr CreatePolygonRgnEx(std::span<const int32_t> Pts);
// The same polygon within the rows 0 .. H - 1 only, for a frame H rows high:
// a polygon reaching far beyond the frame is not built there.
raster::RegionPtr CreatePolygonRgnInFrame(std::span<const int32_t> Pts, int32_t H);

// Turns the points about (xOrg, yOrg) by Angle radians; with y pointing down a
// positive angle turns clockwise on the screen.
void RotatePoints(std::span<raster::Point> Points, int32_t xOrg, int32_t yOrg, long double Angle);

}  // namespace effects

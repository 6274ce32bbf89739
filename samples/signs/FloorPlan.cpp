#include "FloorPlan.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace samples {
namespace {

constexpr double kLength = 40000, kDepth = 20000;
constexpr double kOuter = 300, kInner = 120;  // wall thicknesses
constexpr double kDoor = 900;                 // door opening
constexpr double kCorridorLow = 8500, kCorridorHigh = 11500;

/// A straight wall from a to b (horizontal or vertical) with door openings centred at the
/// given distances from a.
void wall(Canvas& c, P a, P b, double thickness, std::vector<double> doors = {}) {
    const bool horizontal = a.y == b.y;
    const double length = horizontal ? b.x - a.x : b.y - a.y;
    auto point = [&](double d) { return horizontal ? P{a.x + d, a.y} : P{a.x, a.y + d}; };
    std::sort(doors.begin(), doors.end());
    double from = 0;
    for (double d : doors) {
        c.stroke({point(from), point(d - kDoor / 2)}, thickness, 0);
        from = d + kDoor / 2;
    }
    c.stroke({point(from), point(length)}, thickness, 0);
}

/// A door leaf hinged at the hinge point, open at 90 degrees towards `towards` (degrees of
/// the leaf's direction), with its swing from the closed position.
void door(Canvas& c, P hinge, double closedDegrees, double openDegrees) {
    const double k = 3.14159265358979323846 / 180.0;
    P tip{hinge.x + kDoor * std::cos(openDegrees * k), hinge.y + kDoor * std::sin(openDegrees * k)};
    c.line(hinge, tip, 0);
    double from = std::min(closedDegrees, openDegrees), to = std::max(closedDegrees, openDegrees);
    if (to - from > 180) std::swap(from, to);
    c.arc(hinge, kDoor, from, to, 0);
}

}  // namespace

void drawFloorPlan(Canvas& c) {
    // Outer walls, with the main entrance (west) and the garden exit (east) on the corridor.
    const double corridorMiddle = (kCorridorLow + kCorridorHigh) / 2;
    c.layer(L"WALLS", 8);
    wall(c, {0, 0}, {kLength, 0}, kOuter);
    wall(c, {0, kDepth}, {kLength, kDepth}, kOuter);
    wall(c, {0, 0}, {0, kDepth}, kOuter, {corridorMiddle});
    wall(c, {kLength, 0}, {kLength, kDepth}, kOuter, {corridorMiddle});

    // Corridor walls with a door to each room: north offices every 8 m, south rooms of
    // their own widths.
    const std::vector<double> north = {0, 8000, 16000, 24000, 32000, 40000};
    const std::vector<double> south = {0, 10000, 20000, 28000, 34000, 40000};
    auto doorsOf = [](const std::vector<double>& walls) {
        std::vector<double> doors;
        for (std::size_t i = 0; i + 1 < walls.size(); ++i) doors.push_back(walls[i] + 1200);
        return doors;
    };
    wall(c, {0, kCorridorHigh}, {kLength, kCorridorHigh}, kInner, doorsOf(north));
    wall(c, {0, kCorridorLow}, {kLength, kCorridorLow}, kInner, doorsOf(south));
    for (std::size_t i = 1; i + 1 < north.size(); ++i) wall(c, {north[i], kCorridorHigh}, {north[i], kDepth}, kInner);
    for (std::size_t i = 1; i + 1 < south.size(); ++i) wall(c, {south[i], 0}, {south[i], kCorridorLow}, kInner);

    c.layer(L"DOORS", 30);
    for (double d : doorsOf(north)) door(c, {d - kDoor / 2, kCorridorHigh}, 0, 90);
    for (double d : doorsOf(south)) door(c, {d - kDoor / 2, kCorridorLow}, 0, -90);
    door(c, {0, corridorMiddle - kDoor / 2}, 90, 180);
    door(c, {kLength, corridorMiddle - kDoor / 2}, 90, 0);

    // The stair in the south-east room: a flight of treads, 280 mm each.
    c.layer(L"STAIRS", 4);
    const double x0 = 35000, x1 = 39200, y0 = 1000, y1 = 7000;
    c.stroke({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, 0, 0, true);
    c.line({(x0 + x1) / 2, y0}, {(x0 + x1) / 2, y1}, 0);
    for (double y = y0 + 280; y < y1; y += 280) c.line({x0, y}, {x1, y}, 0);
    c.stroke({{x0 + 1050, y0 + 500}, {x0 + 1050, y1 - 900}}, 0, 0);
    c.fill({{x0 + 1050, y1 - 500}, {x0 + 800, y1 - 900}, {x0 + 1300, y1 - 900}}, 0);

    c.layer(L"TEXT", 7);
    const wchar_t* northRooms[] = {L"Office 1.01", L"Office 1.02", L"Office 1.03", L"Office 1.04", L"Office 1.05"};
    for (std::size_t i = 0; i < 5; ++i)
        c.text({(north[i] + north[i + 1]) / 2, (kCorridorHigh + kDepth) / 2}, 400, northRooms[i], 0, true);
    const wchar_t* southRooms[] = {L"Reception", L"Meeting room", L"Kitchen", L"WC", L"Stair"};
    for (std::size_t i = 0; i < 4; ++i)
        c.text({(south[i] + south[i + 1]) / 2, kCorridorLow / 2}, 400, southRooms[i], 0, true);
    c.text({(x0 + x1) / 2, y1 + 600}, 400, southRooms[4], 0, true);
    c.text({kLength / 2, corridorMiddle}, 400, L"Corridor", 0, true);
}

}  // namespace samples

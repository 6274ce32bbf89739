// The demo floor plan: one office storey, 40 m x 20 m, in millimetres.
#pragma once

#include "Canvas.h"

namespace samples {

/// Draws the storey: outer and inner walls with door openings, door leaves with their
/// swings, a stair with its treads and the room names, on layers WALLS, DOORS, STAIRS, TEXT.
void drawFloorPlan(Canvas& canvas);

}  // namespace samples

// Drawing database contents as renderer scenes: block previews, thumbnails and exports.
#pragma once

#include "host/render/Scene.h"
#include "zcdbmain.h"

namespace host::db {

/// The entities of a block record (model space, a layout or a block definition) as
/// primitives in the block's own coordinates (XY plane): nested references flattened up
/// to kMaxBlockNesting levels, colours resolved (ByLayer from the layer, ByBlock from
/// the inserting reference, 7 at the top), entities on layers that are off or frozen and
/// invisible attributes left out. An invalid id gives an empty scene.
ZCAD_PORT host::render::Scene blockScene(ZcDbObjectId blockRecord);

/// One entity as primitives (appended to scene), in world XY.
ZCAD_PORT void appendEntity(host::render::Scene& scene, const ZcDbEntity* entity);

}  // namespace host::db

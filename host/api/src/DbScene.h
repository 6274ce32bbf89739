// Internal: conversion of texts to the renderer's primitives.
#pragma once

#include "DbInternal.h"
#include "host/db/Scene.h"
#include "host/render/Render.h"

namespace host::db {

/// A text as the renderer places it, in its own plane's coordinates.
host::render::TextPrim textPrim(const ZcDbText& text);
host::render::MTextPrim mtextPrim(const ZcDbMText& text);
/// The world box of a primitive's plane box lifted by the plane of normal at elevation z.
void addPlaneExtents(ZcDbExtents& extents, const host::render::Extents& box, const ZcGeVector3d& normal, double z);

}  // namespace host::db

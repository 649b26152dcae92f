#pragma once

#include "RenderCamera.h"
#include "RenderScene.h"

// A scene the size of a small demo: ground, grid, a handful of primitives, two point lights.
vellum::viewport::RenderScene makeDemoScene();
vellum::viewport::RenderCamera makeDemoCamera();

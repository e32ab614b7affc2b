// Turns a raw rendered stroke into table data: closing fade, no DC, exact peak level
// (offline renderer, single thread).
#pragma once
#include <vector>

#include "StrokeRecipe.h"

std::vector<float> finishStroke(std::vector<double> raw, const StrokeRecipe& recipe);

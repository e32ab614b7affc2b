// The twelve tabla strokes, in table order: dayan1..dayan5, baya1..baya7 (offline renderer).
#pragma once
#include <vector>

#include "StrokeRecipe.h"

std::vector<StrokeRecipe> strokeRecipes();

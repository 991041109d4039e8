// Unit Tbnfinder: the finder component, which positions a dataset by key
// values from application code through the index layer.
#pragma once

#include "run/tbnfinder/finder.h"
#include "run/tbnfinder/finder_key.h"

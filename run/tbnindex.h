// Unit Tbnindex: one view of the order a dataset is sorted in (a table's
// index, a query's ORDER BY, a client dataset's index or fields the
// application names) as key fields, and keyed search over it.
#pragma once

#include "run/tbnindex/dataset_index.h"
#include "run/tbnindex/find_index.h"
#include "run/tbnindex/index_defs.h"
#include "run/tbnindex/sql_order.h"

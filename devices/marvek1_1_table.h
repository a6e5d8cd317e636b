// The parameter table of the Controller 1.1 page.
#pragma once
#include "devices/fixedlayout.h"
#include "devices/fixedtable.h"

const FixedTable::Table &marvek1_1Table();

// The layout of the generation, also where no model object exists.
const FixedLayout &marvek1_1Layout();

// The parameter table of the Controller 2.0 page.
#pragma once
#include "devices/fixedlayout.h"
#include "devices/fixedtable.h"

const FixedTable::Table &marvek2_0Table();

// The layout of the generation, also where no model object exists.
const FixedLayout &marvek2_0Layout();

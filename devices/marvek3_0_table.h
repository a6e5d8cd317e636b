// The parameter table of the Controller 3.0 (totalizer) page.
#pragma once
#include "devices/fixedlayout.h"
#include "devices/fixedtable.h"

const FixedTable::Table &marvek3_0Table();

// The layout of the generation, also where no model object exists.
const FixedLayout &marvek3_0Layout();

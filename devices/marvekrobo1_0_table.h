// The parameter table of the Robo controller page.
#pragma once
#include "devices/fixedlayout.h"
#include "devices/fixedtable.h"

const FixedTable::Table &marvekRobo1_0Table();

// The layout of the generation, also where no model object exists.
const FixedLayout &marvekRobo1_0Layout();

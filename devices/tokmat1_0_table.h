// The parameter table of the Tokmat exchange machine page.
#pragma once
#include "devices/fixedlayout.h"
#include "devices/fixedtable.h"

const FixedTable::Table &tokmat1_0Table();

// The layout of the generation, also where no model object exists.
const FixedLayout &tokmat1_0Layout();

// The parameter table of the Controller 3.0 (totalizer) page.
#pragma once
#include "devices/fixedtable.h"

const FixedTable::Table &marvek3_0Table();

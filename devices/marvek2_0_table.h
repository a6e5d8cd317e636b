// The parameter table of the Controller 2.0 page.
#pragma once
#include "devices/fixedtable.h"

const FixedTable::Table &marvek2_0Table();

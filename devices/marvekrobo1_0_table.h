// The parameter table of the Robo controller page.
#pragma once
#include "devices/fixedtable.h"

const FixedTable::Table &marvekRobo1_0Table();

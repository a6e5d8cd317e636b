// The parameter table of the Controller 1.1 page.
#pragma once
#include "devices/fixedtable.h"

const FixedTable::Table &marvek1_1Table();

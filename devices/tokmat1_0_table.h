// The parameter table of the Tokmat exchange machine page.
#pragma once
#include "devices/fixedtable.h"

const FixedTable::Table &tokmat1_0Table();

// Makes the editor of one value of a parameter table row.
#pragma once
#include "devices/boardfeatures.h"
#include "devices/fixedtable.h"

class FixedLayoutModel;
class Par;
class QWidget;

namespace FixedEditors {

// The editor of value k of row, child of parent; null for rows without an editor of their own.
// Option lists keep the options the board offers.
Par *make(FixedLayoutModel &model, const FixedTable::Table &table, const FixedTable::Row &row, int k,
          const BoardFeatures &board, const BitLists &bits, QWidget *parent);

} // namespace FixedEditors

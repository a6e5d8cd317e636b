// The fixed-layout board generations the program knows, each with the identity of its newest
// board (the one whose page offers every value): the simulator's factory images and what a
// dump file is compared against to tell which generation wrote it.
#pragma once
#include "devices/boardfeatures.h"
#include "devices/fixedlayout.h"
#include <QString>
#include <QVector>

struct FixedGeneration
{
    const FixedLayout *layout;
    quint16 word0, word1, word2; // the newest board of the generation
    const char *board;           // its name for the simulator's --board and the factory files

    BoardFeatures features() const { return BoardFeatures{word0, word2}; }
};

namespace FixedGenerations {

// 1.1, 2.0, 3.0, Tokmat and Robo, in the order of the model list.
const QVector<FixedGeneration> &all();
// The generation's title as the start page shows it ("Marvek Totalizer").
QString title(const FixedLayout &layout);

} // namespace FixedGenerations

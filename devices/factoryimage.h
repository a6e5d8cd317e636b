// The configuration a freshly erased board holds once the program's page has given each of
// its values the default: the one place that knows a fixed-layout model's factory settings.
#pragma once
#include "devices/boardfeatures.h"
#include <QByteArray>
#include <QString>
#include <QVector>
#include <QtGlobal>

class FixedLayoutModel;
struct FixedLayout;

namespace FactoryImage {

struct Defaults
{
    QByteArray image; // the sealed 8192-byte image, as a dump file holds it
    QByteArray nv;    // the NV region
};

// A text of a page: the address of its reference word and, when the reference was erased, the
// text it takes.
struct PageText
{
    quint32 word;
    bool erased;
    QString text;
};

// Gives every erased value that a board's page offers what its editor would give it, in the
// image and NV region given (the text references excepted: the texts are packed by the caller).
// Returns the page's texts in page order. Values that hold anything are left as they are.
QVector<PageText> giveErased(const FixedLayout &layout, const BoardFeatures &board, quint8 *image, quint8 *nv);

// The defaults of a layout for a board with these identity words (the words decide which
// values its page offers), from the layout's table alone: each value the page offers gets
// what its editor gives an erased value, the texts packed in page order. No widget is made;
// the current page, its text pool and the current model are untouched.
Defaults make(const FixedLayout &layout, quint16 word0, quint16 word1, quint16 word2);
// The same, kept per layout and words.
const Defaults &of(const FixedLayout &layout, quint16 word0, quint16 word1, quint16 word2);
// The same for the board the model stands for now (defined with the model, above this data).
const Defaults &of(const FixedLayoutModel &model);

} // namespace FactoryImage

// A list 1 holding one parameter of every kind with values that differ from the defaults, and
// helpers to write a whole list and to scramble its values.
#pragma once
#include "registrytestutil.h"
#include <QVector>

struct Image
{
    QByteArray bytes;
    QVector<int> ends; // offset after each record
};

// One of every kind, the hardware-setting ones marked with bit 0x800.
inline void makeEveryKind()
{
    auto *n = static_cast<CfgParN16 *>(CfgPar::create(0x42100001u));
    n->setLimits(10, 100);
    n->setValue(42);
    static_cast<CfgParM16 *>(CfgPar::create(0x45100802u))->setValue(0xA5C3);
    static_cast<CfgParM32 *>(CfgPar::create(0x46100003u))->setValue(0xDEADBEEF);
    static_cast<CfgParString *>(CfgPar::create(0x47100004u))->value().setText(QByteArray("Tokens \xd0\xbb\xd0\xb2"));
    auto *va = static_cast<CfgParValArr16 *>(CfgPar::create(0x48100005u));
    va->setLimits(1, 500);
    for (int i = 0; i < 16; ++i)
        va->setAt(i, quint16(i * 31 + 1));
    auto *a3 = static_cast<CfgParArr3 *>(CfgPar::create(0x49100806u));
    a3->at(0) = 2;
    a3->at(1) = 0xF800;
    a3->at(2) = 0x07E0;
    static_cast<CfgParColour *>(CfgPar::create(0x4A100007u))->setValue(0x1F00);
    auto *vt = static_cast<CfgParViewText16 *>(CfgPar::create(0x4B100008u));
    for (int i = 0; i < 16; i += 5) {
        vt->at(i).text.setText(QByteArray("line ") + QByteArray::number(i));
        vt->at(i).colour = quint16(0x1111 * i);
        vt->at(i).position = quint16(i * 12);
        vt->at(i).flags = quint16(0x21 + i);
    }
}

// The records of list 1 in the given mode, with the end offset of each record.
inline Image imageOf(int list, bool describe)
{
    Image img;
    for (CfgPar *p = CfgPar::head(list); p; p = p->next()) {
        img.bytes += u32le(p->uid());
        img.bytes += describe ? descOf(*p) : valueOf(*p);
        img.ends.append(img.bytes.size());
    }
    return img;
}

// Gives every parameter of the list other values, so that a read that works shows.
inline void scramble(int list)
{
    for (CfgPar *p = CfgPar::head(list); p; p = p->next()) {
        std::unique_ptr<CfgPar> other = CfgPar::makeDetached(Uid::typeCode(p->uid()));
        readValueInto(*p, valueOf(*other));
    }
}

// Writes a whole stream in chunks of cap bytes; each chunk with its complete count.
inline QVector<QPair<QByteArray, int>> chunksOf(CfgStream &s, int cap)
{
    QVector<QPair<QByteArray, int>> out;
    QByteArray buf(cap, '\0');
    do {
        const int n = s.writeChunk(reinterpret_cast<quint8 *>(buf.data()), cap);
        out.append({buf.left(n), s.complete()});
    } while (s.hasMore() && out.size() < 100000);
    return out;
}

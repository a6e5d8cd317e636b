// A test model that answers parameter attribute queries from a table the test fills.
#pragma once
#include "testmodel.h"
#include <QHash>
#include <QPair>

class AttrModel : public TestModel
{
public:
    AttrModel() : TestModel(QStringLiteral("attr"), 0, 0, 0) {}

    QHash<QPair<quint32, QString>, QVariant> attrs;

    void setAttr(quint32 key, const QString &name, const QVariant &v) { attrs.insert({key, name}, v); }
    QVariant parProperty(quint32 key, const QString &name) override { return attrs.value({key, name}); }
};

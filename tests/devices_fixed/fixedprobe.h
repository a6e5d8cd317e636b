// A fixed-layout model's page built for a given hardware word, with lookups of its tabs and
// editors, for the tests of the 1.1 and 3.0 models.
#pragma once
#include "devices/fixedlayoutmodel.h"
#include "editors/par.h"
#include <QPushButton>
#include <QWidget>
#include <memory>

template <typename Model>
struct FixedProbe
{
    Model model;
    std::unique_ptr<QWidget> container;

    explicit FixedProbe(quint16 w0)
    {
        model.word0 = w0;
        DeviceCfg::setCurrent(&model);
        container = std::make_unique<QWidget>();
        model.buildPage(container.get());
    }
    ~FixedProbe() { container.reset(); }

    QStringList tabTitles() const
    {
        QStringList titles;
        for (auto *b : container->template findChildren<QPushButton *>(QStringLiteral("tabButton"),
                                                                        Qt::FindDirectChildrenOnly))
            titles << b->text();
        return titles;
    }
    int count(quint32 address) const
    {
        int n = 0;
        for (const auto &p : model.placements())
            n += p.address == address;
        return n;
    }
    Par *editorAt(quint32 address) const
    {
        for (const auto &p : model.placements()) {
            if (p.address == address)
                return p.editor;
        }
        return nullptr;
    }
    quint16 word(int address) { return quint16(model.image()[address] | model.image()[address + 1] << 8); }
    // Help keys of every editor on the page whose text the map lacks.
    QList<quint32> keysWithoutHelp()
    {
        QList<quint32> missing;
        for (const auto &p : model.placements()) {
            for (quint32 a : {p.address, p.second}) {
                if (a && DeviceCfg::helpMap().value(model.helpKey(a)).isEmpty())
                    missing << model.helpKey(a);
            }
        }
        return missing;
    }
};

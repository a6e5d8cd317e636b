// A Controller 2.0 page built for a given board, with lookups of its tabs and editors.
#pragma once
#include "devices/devmarvek2_0.h"
#include "editors/par.h"
#include <QAbstractButton>
#include <QPushButton>
#include <QWidget>
#include <memory>

struct Page20
{
    mutable DevMarvek2_0 model;
    std::unique_ptr<QWidget> container;

    // prepare runs on the model's erased image before the page is built.
    template <typename Prepare>
    Page20(quint16 w0, quint16 w2, Prepare prepare)
    {
        model.word0 = w0;
        model.word2 = w2;
        prepare(model.image());
        DeviceCfg::setCurrent(&model);
        container = std::make_unique<QWidget>();
        model.buildPage(container.get());
    }
    Page20(quint16 w0, quint16 w2) : Page20(w0, w2, [](quint8 *) {}) {}
    ~Page20() { container.reset(); }

    QStringList tabTitles() const
    {
        QStringList titles;
        for (auto *b : container->findChildren<QPushButton *>(QStringLiteral("tabButton"), Qt::FindDirectChildrenOnly))
            titles << b->text();
        return titles;
    }
    // The contents of the tab with this title.
    QWidget *tab(const QString &title) const
    {
        const auto children = container->children();
        for (int i = 0; i + 1 < children.size(); ++i) {
            auto *b = qobject_cast<QPushButton *>(children[i]);
            if (b && b->objectName() == QLatin1String("tabButton") && b->text() == title)
                return qobject_cast<QWidget *>(children[i + 1]);
        }
        return nullptr;
    }
    // The editor bound to address (as its first value), or null.
    Par *editorAt(quint32 address) const
    {
        for (const auto &p : model.placements()) {
            if (p.address == address)
                return p.editor;
        }
        return nullptr;
    }
    template <typename T>
    T *editorAt(quint32 address) const { return qobject_cast<T *>(editorAt(address)); }
    int count(quint32 address) const
    {
        int n = 0;
        for (const auto &p : model.placements())
            n += (p.address == address) + (p.second == address);
        return n;
    }
    quint16 word(int address) const { return quint16(model.image()[address] | model.image()[address + 1] << 8); }
    int buttons(QWidget *w) const { return w->findChildren<QAbstractButton *>().size(); }
};

// Base of every parameter editor: one widget that shows and edits one value.
#pragma once
#include <QWidget>

class Par : public QWidget
{
    Q_OBJECT
public:
    explicit Par(QWidget *parent = nullptr);

    // Sets every widget of the editor from the bound value without changing the value.
    virtual void refresh() = 0;

protected:
    // Reports a stored change to the current model, unless a page is being built.
    static void notifyChange(quint32 key, int size);
};

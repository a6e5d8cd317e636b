#include "editors/parstr.h"
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

ParStr::ParStr(QWidget *parent, CfgParString *par) : Par(parent), m_par(par)
{
    nameIfUnnamed("ParStr");
    auto *layout = new QVBoxLayout(this);
    QLabel *title = makeTitleLabel(this, layout);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("lineEdit"));
    layout->addWidget(m_edit);
    refresh();
    connect(m_edit, &QLineEdit::editingFinished, this, &ParStr::textChanged);
    fillTitle(title, m_par->uid());
    hideForUid(m_par->uid());
}

void ParStr::textChanged()
{
    if (!m_edit->isModified())
        return;
    m_edit->setModified(false);
    // A text the value cannot hold is not taken: the field goes back to what is stored.
    const QByteArray before = record(m_par->uid());
    if (!m_par->value().setText(m_edit->text())) {
        refresh();
        return;
    }
    notifyChange(m_par->uid(), before);
}

void ParStr::refresh() { m_edit->setText(m_par->value().toString()); }

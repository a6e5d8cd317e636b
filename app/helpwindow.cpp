#include "app/helpwindow.h"
#include "base/scale.h"
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

HelpWindow::HelpWindow() : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("helpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    const int margin = scaled(8);
    layout->setContentsMargins(margin, margin, margin, margin);
    m_text = new QLabel;
    m_text->setObjectName(QStringLiteral("helpText"));
    m_text->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_text->setTextFormat(Qt::RichText);
    m_text->setWordWrap(true);
    m_text->setMargin(scaled(4));
    connect(m_text, &QLabel::linkActivated, this, &HelpWindow::linkActivated);
    // A long text scrolls instead of growing the window past the screen.
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(m_text);
    layout->addWidget(scroll, 1);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    m_edit = new QPushButton(this);
    m_edit->setObjectName(QStringLiteral("butHelpEdit"));
    row->addWidget(m_edit);
    layout->addLayout(row);
    connect(m_edit, &QPushButton::clicked, this,
            [this] { emit linkActivated(QStringLiteral("#ed%1").arg(m_key)); });
}

void HelpWindow::showText(quint32 key, const QString &text, bool editable)
{
    m_key = key;
    m_text->setText(text);
    // Made again with every text: it follows a language chosen while the window is open.
    m_edit->setText(tr("Edit"));
    m_edit->setToolTip(tr("Edit this help text; OK saves it to the model's help file"));
    m_edit->setVisible(editable);
}

QString HelpWindow::text() const { return m_text->text(); }

HelpEditor::HelpEditor(const QString &title, const QString &text, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("helpEditor"));
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName(QStringLiteral("helpEditText"));
    m_edit->setPlainText(text);
    layout->addWidget(m_edit, 1);
    // Esc rejects the dialog like Cancel.
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(scaled(480), scaled(320));
}

QString HelpEditor::text() const { return m_edit->toPlainText(); }

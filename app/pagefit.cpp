#include "app/pagefit.h"
#include "devices/boardfeatures.h"
#include "devices/devicecfg.h"
#include "devices/fixedlayoutmodel.h"
#include <QBuffer>

void ShownPage::built(DeviceCfg *model)
{
    m_model = model;
    if (!model)
        return;
    m_word0 = model->word0;
    m_word1 = model->word1;
    m_word2 = model->word2;
    m_kept = bytesOf(model);
}

DeviceCfg *ShownPage::model() const { return m_model.data(); }

void ShownPage::kept()
{
    if (m_model)
        m_kept = bytesOf(m_model);
}

bool ShownPage::edited() const { return m_model && bytesOf(m_model) != m_kept; }

bool ShownPage::fits(DeviceCfg *model) const
{
    if (!model || model != m_model)
        return false;
    if (model->word1 != m_word1)
        return false;
    return shapeOf(model, m_word0, m_word2) == shapeOf(model, model->word0, model->word2);
}

QByteArray ShownPage::bytesOf(DeviceCfg *model)
{
    if (!model || !model->keepsConfiguration())
        return QByteArray();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    model->save(&buffer);
    return buffer.data();
}

QByteArray ShownPage::shapeOf(DeviceCfg *model, quint16 word0, quint16 word2)
{
    auto *fixed = qobject_cast<FixedLayoutModel *>(model);
    if (!fixed || !fixed->table())
        return QByteArray();
    const BoardFeatures board{word0, word2};
    const FixedTable::Table &table = *fixed->table();
    QByteArray shape;
    for (const FixedTable::Row &row : table) {
        for (int k = 0; k < qMax(1, int(row.count)); ++k) {
            shape += row.offered(board, k) ? '1' : '0';
            if (row.labelRule)
                shape += row.labelRule(table.context, row.valueAddress(k), board).toUtf8() + '\0';
        }
        for (int i = 0; i < row.optionCount; ++i)
            shape += !row.options[i].when || row.options[i].when(board, i) ? '1' : '0';
        shape += '|';
    }
    if (fixed->layout().bitLists) {
        const BitLists bits = fixed->layout().bitLists(board);
        for (const BitList *list : {&bits.single16, &bits.buttons, &bits.relays, &bits.extraRelays, &bits.coinInputs}) {
            for (const quint16 mask : list->masks)
                shape += QByteArray::number(mask) + ',';
            shape += list->names.join(QLatin1Char('|')).toUtf8() + ';';
        }
    }
    return shape;
}

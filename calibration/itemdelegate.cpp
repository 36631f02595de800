#include "itemdelegate.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

ItemDelegate::ItemDelegate(QObject *parent) : QItemDelegate(parent) {}

QString ItemDelegate::pattern()
{
    return QStringLiteral("^([0-9]+)([.]?)([0-9]*)$");
}

QWidget *ItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                    const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    editor->setValidator(
        new QRegularExpressionValidator(QRegularExpression(pattern()), editor));
    return editor;
}

void ItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *lineEdit = qobject_cast<QLineEdit *>(editor))
        lineEdit->setText(index.model()->data(index, Qt::EditRole).toString());
}

void ItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                const QModelIndex &index) const
{
    auto *lineEdit = qobject_cast<QLineEdit *>(editor);
    if (!lineEdit)
        return;
    bool ok = false;
    float value = lineEdit->text().toFloat(&ok);
    if (!ok)
        value = 0.0f;
    model->setData(index, QVariant(value), Qt::EditRole);
}

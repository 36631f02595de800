#pragma once

#include <QItemDelegate>

// Numeric cell editor of the calibration tables: a line edit that takes
// digits with an optional decimal point; the typed number is stored as a
// float (0 when the text is not a number).
class ItemDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    explicit ItemDelegate(QObject *parent = nullptr);

    static QString pattern();

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
};

#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;
class ItemDelegate;
class Switch;

// The dialog in which the sensor's 20-row table is edited, loaded from or
// saved to CSV, converted from litres to percentages, and written to or read
// from the sensor. Column 0 holds the levels, column 1 the volumes (or the
// percentages after the conversion).
//
// The two sensor buttons run the parent's writeTable() and readTable()
// slots; the sensor's reply comes back through setTable().
class LiterToPercent : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kRows = 20;

    LiterToPercent(QWidget *parent, bool withCancel);

    // Answers the open and save file dialogs instead of a person when set
    // (save is true for the save dialog); an empty name means cancelled.
    using FileNameProvider = std::function<QString(bool save)>;
    static void setFileNameProvider(FileNameProvider provider);

    // The texts of rows 0..19 of the level and of the volume column, "error"
    // for a cell that does not exist: what the table writer sends.
    QStringList levels() const;
    QStringList volumes() const;

    QTableView *tableView() const;
    QStandardItemModel *model() const;
    bool isPercent() const { return m_percent; }
    QString volumeCaption() const;

public slots:
    void LoadFile();
    void SaveToFile();
    void ConversionLP();
    bool setTable(int val, int row, int column);
    QString getTable(int row, int column);

private:
    QStringList column(int column) const;
    QString cellText(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    void setUpView();
    void replaceModel(QStandardItemModel *model);
    QString askFileName(bool save);

    QPointer<QTableView> m_view;
    QPointer<QStandardItemModel> m_model;
    ItemDelegate *m_delegate = nullptr;
    QLabel *m_levelCaption = nullptr;
    QLabel *m_volumeCaption = nullptr;
    Switch *m_switch = nullptr;
    bool m_percent = false;
};

#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;

// Manual entry of a sensor's "Полный" (full) and "Пустой" (empty) readings.
// Each row shows a caption, a line edit for the new value and a label with
// the value last read from the sensor. "Установить" is wired to the window
// that sends the values (connectBtnToFunctionDUT); the wireless page reuses
// the dialog for the base identifier (connectBtnToFunctionBLE).
class EngineerMenuQDialog : public QDialog
{
    Q_OBJECT
public:
    EngineerMenuQDialog(QWidget *parent, bool withCancel);

    // The checks made before full and empty are sent, in the order their
    // messages are shown; an empty list means the pair may be sent.
    static QStringList checkFullAndEmpty(quint32 full, quint32 empty);

    QString fullValueText() const;
    QString emptyValueText() const;

public slots:
    void updateValueLevel(int full, int empty);
    void setValueLevel();
    void setFullValue(int full);
    void setEmptyValue(int empty);
    // The typed value as an unsigned decimal; 0 when empty, not a number or
    // beyond 32 bits (the checks refuse 0).
    quint32 getFullValue();
    quint32 getEmptyValue();
    QString getStringEmptyValue();
    void setTimerUpdateVal(QWidget *parent);
    void connectBtnToFunctionDUT(QWidget *parent);
    void connectBtnToFunctionBLE(QWidget *parent);
    void setVisibleValEmpty();
    void setVisibleNameFull(bool visible);
    void setVisibleNameEmpty(bool visible);
    void setNameFull(const QString &name);
    void setNameEmpty(const QString &name);
    void setInvisibleLayoutEmpty();

private:
    static quint32 typedValue(const QLineEdit *edit);

    int m_full = 0;
    int m_empty = 0;
    QLabel *m_nameFull;
    QLabel *m_nameEmpty;
    QLineEdit *m_editFull;
    QLineEdit *m_editEmpty;
    QLabel *m_valueFull;
    QLabel *m_valueEmpty;
    QPushButton *m_set;
};

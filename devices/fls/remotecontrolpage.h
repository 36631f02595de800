#pragma once

#include <QList>
#include <QObject>
#include <QtGlobal>

class QWidget;
namespace Ui {
class Configurator;
}

// The remote-control page: the engineer picks a command for a sensor behind
// a vehicle terminal, gets the line to send to the terminal (copied to the
// clipboard as it is generated) and decodes the answer pasted back. Nothing
// here uses the serial link; RemoteCommand builds and decodes.
class RemoteControlPage : public QObject
{
    Q_OBJECT
public:
    static constexpr int kAnswerDialogWidth = 400;
    static constexpr int kAnswerDialogHeight = 170;

    // dialogParent owns the page's message dialogs (the main window).
    RemoteControlPage(Ui::Configurator *ui, QWidget *dialogParent);

    // Shows the fields the command at index asks for.
    void commandChosen(int index);
    // Builds the line into the line field and onto the clipboard, or refuses
    // with a message and leaves the field empty.
    void generate();
    // Shows the temperature and level of an answer in the line field.
    void decodeAnswer();

    quint8 modeCode() const;
    quint8 filtrationCode() const;

private:
    // The mode and filtration lists with their labels.
    QList<QWidget *> modeWidgets() const;

    Ui::Configurator *ui;
    QWidget *m_dialogParent;
};

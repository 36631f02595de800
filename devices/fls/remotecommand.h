#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

// Lines for a wired sensor that sits behind a vehicle terminal. The terminal
// takes a text line "S485=...", forwards the request frame written in it as
// hexadecimal to the sensor on its RS-485 line and sends the answer back as
// hexadecimal text. Widget-free: the page only fills its fields from here.
class RemoteCommand
{
public:
    // The commands, in the order the page lists them.
    enum Command {
        EnterPassword,
        ReadStatus,
        ReadVersion,
        ShiftEmpty,
        ShiftFull,
        SetEmpty,
        SetFull,
        SetMode,
        SetPassword,
        CommandCount
    };

    // What the page's one value field holds for a command.
    enum class Value { None, Password, Offset, Level, ModeAndFiltration };

    // Why a line was not built: a number that does not fit its bytes would
    // be cut and reach another sensor or set another value.
    enum class Refusal { Address, Password, Offset, Level };

    static constexpr quint32 kMaxAddress = 0xFF;
    static constexpr quint32 kMaxOffset = 0xFFFF;
    static constexpr quint32 kMaxLong = 0xFFFFFFFFu; // passwords and levels
    static constexpr int kModeCount = 6;
    static constexpr int kFiltrationCount = 4;

    struct Request {
        int command = ReadStatus;
        QString address;  // decimal; empty means 0
        QString value;    // decimal; empty means 0; unused by some commands
        int modeIndex = 0;
        int filtrationIndex = 0;
    };

    // A built line, or why there is none.
    struct Result {
        QString line;
        std::optional<Refusal> refusal;
        bool ok() const { return !refusal; }
    };

    // The level-and-temperature answer a terminal sends back.
    struct Answer {
        int temperature = 0; // °C
        int level = 0;
    };

    static QStringList commandTexts();
    static QStringList modeTexts();
    static QStringList filtrationTexts();
    static Value valueOf(int command); // None for an unknown command
    static QString prompt(int command); // empty when the field is not asked for
    static quint8 modeCode(int index);        // 0 for an unknown index
    static quint8 filtrationCode(int index);  // 0 for an unknown index
    static QString refusalText(Refusal refusal);

    static Result build(const Request &request);
    // Nothing for text that holds no such answer.
    static std::optional<Answer> decodeAnswer(const QString &text);
};

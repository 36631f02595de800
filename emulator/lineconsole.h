#pragma once

#include <QString>

class VirtualLine;

// The commands typed on the emulator's standard input while it runs (and sent
// by tests in-process): faults, levels, the state dump, hang-up and quit.
class LineConsole
{
public:
    struct Result {
        bool ok = true;
        QString output;  // for standard output: the state line
        QString message; // for standard error: acknowledgement or error text
        bool quit = false;
    };

    explicit LineConsole(VirtualLine *line);

    Result execute(const QString &commandLine);
    static QString help();

private:
    VirtualLine *m_line;
};

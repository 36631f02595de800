#pragma once

#include <QString>

// The texts of the help panel (F1 or the help button): hovering a widget shows
// what it displays or does. Every entry maps one or more object names (a field
// and its caption, or the wired and wireless twins) to one text. The entries
// are walked in order and every match replaces the result, so when a name sits
// in several entries the last of them is the one shown.
class HelpTexts
{
public:
    // Translated text for the widget with this object name; empty when the
    // widget has no help entry. Translation happens on every call, so a
    // translator installed later is honoured.
    static QString textFor(const QString &objectName);

    // Number of entries in the chain.
    static int entryCount();
};

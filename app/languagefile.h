#pragma once

#include <QString>

class QTranslator;

// The interface language is whatever file stands first in the folder
// "translations" beside the executable, if its name contains "Language".
class LanguageFile
{
public:
    enum class Language { Russian, English, Portuguese, Spanish };

    static QString translationsDir();
    // First file of the folder in the default listing order (files only,
    // hidden ones included, links excluded); empty when there is none.
    static QString firstFileName(const QString &dir);
    // That file's name when it is a language file, else empty.
    static QString languageFileName(const QString &dir);
    // Which picture set the buttons with text take: only the exact file
    // names of the three shipped languages count.
    static Language languageOf(const QString &fileName);
    // Loads the language file of dir into translator; false when the tool
    // stays in Russian.
    static bool load(QTranslator &translator, const QString &dir);
};

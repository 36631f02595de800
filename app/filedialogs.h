#pragma once

#include <QString>

#include <functional>

class QWidget;

// The file dialogs of the tool. Tests and scripted runs set a provider that
// answers instead of a person.
class FileDialogs
{
public:
    enum class Kind { Save, Open };
    using Provider = std::function<QString(Kind kind, const QString &caption)>;

    static QString saveFileName(QWidget *parent, const QString &caption, const QString &filter);
    // `folder` is where the dialog starts; empty: the root.
    static QString openFileName(QWidget *parent, const QString &caption, const QString &filter,
                                const QString &folder = QString());
    static void setProvider(Provider provider);
};

#include "filedialogs.h"

#include <QFileDialog>

namespace {
FileDialogs::Provider &provider()
{
    static FileDialogs::Provider p;
    return p;
}
} // namespace

void FileDialogs::setProvider(Provider p)
{
    provider() = std::move(p);
}

QString FileDialogs::saveFileName(QWidget *parent, const QString &caption, const QString &filter)
{
    if (provider())
        return provider()(Kind::Save, caption);
    return QFileDialog::getSaveFileName(parent, caption, QStringLiteral("/"), filter);
}

QString FileDialogs::openFileName(QWidget *parent, const QString &caption, const QString &filter,
                                  const QString &folder)
{
    if (provider())
        return provider()(Kind::Open, caption);
    return QFileDialog::getOpenFileName(parent, caption,
                                        folder.isEmpty() ? QStringLiteral("/") : folder, filter);
}

#include "app/UserDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace quorvel {

std::string QtNameFilter(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + parts[i + 1].split(QLatin1Char(';')).join(QLatin1Char(' '))
                + QLatin1Char(')');
    return filters.join(QStringLiteral(";;")).toStdString();
}

std::optional<std::string> WidgetDialogs::chooseDataFile(const OpenDialogState& dialog)
{
    // A folder that does not exist here (such as the default "C:\") leaves
    // the dialog at the platform's default folder.
    const QString folder = QString::fromStdString(dialog.initialFolder);
    QFileDialog chooser(parent_);
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setNameFilter(QString::fromStdString(QtNameFilter(dialog.filter)));
    if (!folder.isEmpty() && QDir(folder).exists())
        chooser.setDirectory(folder);
    chooser.selectFile(QString::fromStdString(dialog.fileName));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return std::nullopt;
    return chooser.selectedFiles().front().toStdString();
}

std::optional<std::string> WidgetDialogs::chooseFileInArchive(const std::string& archive,
                                                              const std::vector<std::string>& files)
{
    QStringList items;
    for (const std::string& file : files)
        items << QString::fromStdString(file);
    bool chosen = false;
    const QString file = QInputDialog::getItem(parent_, QStringLiteral("リンク＊"),
                                               QString::fromStdString(archive) + QStringLiteral(" のデータファイル"),
                                               items, 0, false, &chosen);
    if (!chosen || file.isEmpty())
        return std::nullopt;
    return file.toStdString();
}

std::optional<SaveChoice> WidgetDialogs::chooseAnswerFile(const std::string& folder)
{
    const QString csv = QStringLiteral("CSV (*.csv)");
    const QString json = QStringLiteral("JSON (*.json)");
    QFileDialog chooser(parent_);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setNameFilters({csv, json});
    if (!folder.empty() && QDir(QString::fromStdString(folder)).exists())
        chooser.setDirectory(QString::fromStdString(folder));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return std::nullopt;
    const bool asJson = chooser.selectedNameFilter() == json;
    QString path = chooser.selectedFiles().front();
    const QString extension = asJson ? QStringLiteral(".json") : QStringLiteral(".csv");
    if (!path.endsWith(extension, Qt::CaseInsensitive))
        path += extension;
    return SaveChoice{path.toStdString(), asJson ? AnswerFormat::Json : AnswerFormat::Csv};
}

std::optional<std::string> WidgetDialogs::chooseFolderToSearch(const std::string& folder)
{
    const QString chosen = QFileDialog::getExistingDirectory(parent_, QStringLiteral("検索するフォルダ"),
                                                             QString::fromStdString(folder));
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.toStdString();
}

void WidgetDialogs::showMessage(const std::string& text, const std::string& caption)
{
    // A message during a command: the pointer is an arrow while the box waits.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                    parent_);
    box.exec();
    QApplication::restoreOverrideCursor();
}

}  // namespace quorvel

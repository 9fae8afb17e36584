#include "gui/QtUserInteraction.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "gui/FileDialogFilter.h"

namespace vantelo {

namespace {

QMessageBox::Icon IconOf(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Error:
            return QMessageBox::Critical;
        case BoxIcon::Warning:
        case BoxIcon::Exclamation:
            return QMessageBox::Warning;
        case BoxIcon::Information:
            return QMessageBox::Information;
        case BoxIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QString Local(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QWidget* QtUserInteraction::OwnerOf(BoxOwner owner) const {
    switch (owner) {
        case BoxOwner::MainWindow:
            return mainWindow_;
        case BoxOwner::Dialog: {
            QWidget* dialog = QApplication::activeModalWidget();
            return dialog != nullptr ? dialog : mainWindow_.data();
        }
        case BoxOwner::None:
        case BoxOwner::Application:
            break;
    }
    return nullptr;
}

BoxAnswer QtUserInteraction::ShowMessage(const MessageBoxRequest& request) {
    const bool okCancel = request.buttons == BoxButtons::OkCancel;
    const QString caption = request.owner == BoxOwner::Application
                                ? QString::fromLatin1(kApplicationCaption)
                                : Local(request.caption);
    QMessageBox box(IconOf(request.icon), caption, Local(request.text),
                    okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
                    OwnerOf(request.owner));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(okCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    return box.exec() == QMessageBox::Cancel ? BoxAnswer::Cancel : BoxAnswer::Ok;
}

bool QtUserInteraction::AskFileName(const FileDialogRequest& request, std::string* path) {
    QStringList filters;
    for (const std::string& filter : NameFiltersOf(request.filter)) {
        filters << Local(filter);
    }
    // Owned by the window whose command asks: an open modal dialog, else the main window.
    QFileDialog dialog(OwnerOf(BoxOwner::Dialog));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(Local(DefaultSuffixOf(request.defaultExtension)));
    // A wildcard name ("*.cfg") is the filter again; kept out of the name field so that it can
    // never become the name of a saved file.
    const QString initialName = Local(request.initialName);
    if (!initialName.contains(QLatin1Char('*')) && !initialName.contains(QLatin1Char('?'))) {
        dialog.selectFile(initialName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    *path = QFile::encodeName(dialog.selectedFiles().first()).toStdString();
    return true;
}

int QtUserInteraction::OpenUrl(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(Local(url))) ? 0 : -1;
}

void QtUserInteraction::OpenTextFile(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
}

}  // namespace vantelo

#include "app/studio/studio_prompts.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace {

// Project files, whatever the case of their extension.
QString ProjectFilter() {
    return QCoreApplication::translate("VyStudioPrompts",
                                       "VYLCD 에디트 작업(*.VYD);;모든 파일(*.*)");
}

VySaveAnswer AskSave(QWidget* parent) {
    QMessageBox box(
        QMessageBox::Question, QCoreApplication::translate("VyStudioPrompts", "VYLCD 스튜디오"),
        QCoreApplication::translate("VyStudioPrompts", "변경된 작업을 저장하시겠습니까?"),
        QMessageBox::NoButton, parent);
    QPushButton* yes =
        box.addButton(QCoreApplication::translate("VyStudioPrompts", "예"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QCoreApplication::translate("VyStudioPrompts", "아니요"),
                                    QMessageBox::NoRole);
    box.addButton(QCoreApplication::translate("VyStudioPrompts", "취소"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() == yes) {
        return VySaveAnswer::kYes;
    }
    return box.clickedButton() == no ? VySaveAnswer::kNo : VySaveAnswer::kCancel;
}

// The dialog adds the extension itself, so the name it asks about replacing
// is the name saved to.
QString AskSavePath(QWidget* parent) {
    QFileDialog dialog(
        parent,
        QCoreApplication::translate("VyStudioPrompts", "저장할 작업 파일 이름을 정해주세요."),
        QString(), ProjectFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("vyd"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().first();
}

// One dialog: the filter chosen gives the picture's scale.
VyPngExport AskPngExport(QWidget* parent) {
    const QStringList filters = {
        QCoreApplication::translate("VyStudioPrompts", "PNG 그림, 1배 크기(*.png)"),
        QCoreApplication::translate("VyStudioPrompts", "PNG 그림, 2배 크기(*.png)"),
        QCoreApplication::translate("VyStudioPrompts", "PNG 그림, 3배 크기(*.png)")};
    QFileDialog dialog(parent,
                       QCoreApplication::translate("VyStudioPrompts", "LCD 화면을 PNG로 저장"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return {dialog.selectedFiles().first(),
            static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

// The extensions a preset's source is kept under, then any file.
QString SourceFilter(VySourcePreset preset) {
    const QString all = QCoreApplication::translate("VyStudioPrompts", "모든 파일(*)");
    switch (preset) {
        case VySourcePreset::kCArray:
        case VySourcePreset::kArduino:
            return QCoreApplication::translate("VyStudioPrompts", "C/C++ 소스(*.c *.h *.ino)") +
                   QStringLiteral(";;") + all;
        case VySourcePreset::kPython:
            return QCoreApplication::translate("VyStudioPrompts", "Python 스크립트(*.py)") +
                   QStringLiteral(";;") + all;
        default:
            return all;
    }
}

QString AskSourcePath(QWidget* parent, const VySourceFileAsk& ask) {
    return QFileDialog::getSaveFileName(
        parent, QCoreApplication::translate("VyStudioPrompts", "소스를 파일로 저장"), ask.folder,
        SourceFilter(ask.preset));
}

}  // namespace

VyStudioPrompts DesktopPrompts() {
    return {
        AskSave,
        [](QWidget* parent) {
            return QFileDialog::getOpenFileName(
                parent, QCoreApplication::translate("VyStudioPrompts", "열기"), QString(),
                ProjectFilter());
        },
        AskSavePath,
        AskPngExport,
        [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); },
        AskSourcePath};
}

VyStudioPrompts& StudioPrompts() {
    static VyStudioPrompts prompts = DesktopPrompts();
    return prompts;
}

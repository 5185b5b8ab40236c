#include "editor/frame/template_dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/canvas/canvas_widget.h"
#include "editor/canvas/notice.h"
#include "editor/canvas/ui_text.h"
#include "editor/document/template_files.h"
#include "editor/tree/code_page.h"

namespace {

QHBoxLayout* Buttons(QPushButton* ok, QPushButton* cancel) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    ok->setDefault(true);
    return buttons;
}

}  // namespace

CDlgPreTemplateSave::CDlgPreTemplateSave(CVylCanvas& canvas, std::string folder, QWidget* parent)
    : QDialog(parent), m_canvas(canvas), m_folder(std::move(folder)) {
    setWindowTitle(tr("템플릿으로 저장"));
    m_name = new QLineEdit(this);
    m_name->setMaxLength(255);
    auto* save = new QPushButton(tr("저장"), this);
    auto* cancel = new QPushButton(tr("취소"), this);
    connect(save, &QPushButton::clicked, this, &CDlgPreTemplateSave::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("템플릿 이름을 입력하세요."), this));
    layout->addWidget(m_name);
    layout->addLayout(Buttons(save, cancel));
    setMinimumWidth(320);
}

void CDlgPreTemplateSave::OnOK() {
    VyUidSet selected;
    m_canvas.Core().Selection().GetEverySelUidMap(selected);
    // Template names are file names: kept in the file system's own UTF-8.
    const VyTemplateSave result =
        SaveTemplate(m_folder, m_name->text().toStdString(), m_canvas.Core().Group(), selected);
    if (result != VyTemplateSave::kSaved) {
        ShowNotice(UiText(TemplateSaveNotice(result)), QString(), this);
    }
    // Name errors keep the dialog open; a write error closes it too.
    if (result == VyTemplateSave::kSaved || result == VyTemplateSave::kWriteFailed) {
        accept();
    }
}

CDlgTemplateList::CDlgTemplateList(CVylCanvas& canvas, std::string folder, QWidget* parent)
    : QDialog(parent), m_canvas(canvas), m_folder(std::move(folder)) {
    setWindowTitle(tr("템플릿 불러오기"));
    m_list = new QListWidget(this);
    m_list->setFixedWidth(160);
    for (const std::string& name : ListTemplates(m_folder)) {
        m_list->addItem(QString::fromStdString(name));
    }
    // A canvas that only shows: no link, no editing.
    m_preview = new CVylCanvas(this);
    m_preview->SetViewOnly(true);
    m_preview->setMinimumSize(330, 260);
    auto* ok = new QPushButton(tr("선택"), this);
    auto* cancel = new QPushButton(tr("취소"), this);
    connect(ok, &QPushButton::clicked, this, &CDlgTemplateList::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, &CDlgTemplateList::OnSelchangeTemplates);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CDlgTemplateList::OnOK);

    auto* preview = new QVBoxLayout;
    preview->addWidget(new QLabel(tr("미리보기"), this));
    preview->addWidget(m_preview, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(m_list);
    top->addLayout(preview, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(Buttons(ok, cancel));
}

void CDlgTemplateList::OnSelchangeTemplates() {
    const QListWidgetItem* item = m_list->currentItem();
    if (item == nullptr) {
        return;
    }
    CVylObjectGroup group;
    const std::string path = TemplateFilePath(m_folder, item->text().toStdString());
    if (LoadTemplate(path, group)) {
        m_preview->Core().Group() = group;
        m_preview->Core().Selection().RemoveAll();
        m_preview->update();
    }
}

void CDlgTemplateList::OnOK() {
    const QListWidgetItem* item = m_list->currentItem();
    if (item != nullptr) {
        CVylObjectGroup group;
        const std::string path = TemplateFilePath(m_folder, item->text().toStdString());
        if (LoadTemplate(path, group)) {
            m_canvas.Core().PasteFromObjectGroup(group);
        } else {
            ShowNotice(UiText(kNoticeTemplateLoadFailed), QString(), this);
        }
    }
    accept();
}

// The template dialogs: "템플릿으로 저장" keeps the selection under a name,
// "템플릿 불러오기" lists the templates with a preview and pastes the chosen
// one into the calling canvas.
#pragma once

#include <QDialog>
#include <string>

#include "editor/vyedit_export.h"

class CVylCanvas;
class QLineEdit;
class QListWidget;

class VYEDIT_EXPORT CDlgPreTemplateSave : public QDialog {
    Q_OBJECT

  public:
    CDlgPreTemplateSave(CVylCanvas& canvas, std::string folder, QWidget* parent = nullptr);

    QLineEdit* NameBox() const { return m_name; }
    // "저장": refused names keep the dialog open with a notice.
    void OnOK();

  private:
    CVylCanvas& m_canvas;
    std::string m_folder;
    QLineEdit* m_name = nullptr;
};

class VYEDIT_EXPORT CDlgTemplateList : public QDialog {
    Q_OBJECT

  public:
    CDlgTemplateList(CVylCanvas& canvas, std::string folder, QWidget* parent = nullptr);

    QListWidget* List() const { return m_list; }
    CVylCanvas& Preview() const { return *m_preview; }
    // Loads the chosen template into the preview.
    void OnSelchangeTemplates();
    // "선택" and a double click: pastes the chosen template and closes.
    void OnOK();

  private:
    CVylCanvas& m_canvas;
    std::string m_folder;
    QListWidget* m_list = nullptr;
    CVylCanvas* m_preview = nullptr;
};

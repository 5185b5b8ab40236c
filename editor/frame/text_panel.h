// CDlgLocalText: the attribute panel of texts: the LCD font and its
// alphanumeric mode, bold, inverse and underline, and the content, typed in
// Unicode and kept in the system code page.
#pragma once

#include <QColor>
#include <QString>
#include <set>

#include "editor/frame/attribute_panel.h"
#include "editor/model/drawing_object.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;

class CDlgLocalText : public CVyeAttributePanel {
    Q_OBJECT

  public:
    explicit CDlgLocalText(CVylCanvas* canvas, QWidget* parent = nullptr);

    void ToLocalCtrls(const CVylObjectUniqueAttr& attrs);
    void FromLocalCtrls(CVylObjectUniqueAttr& attrs) const;
    // An object was just created with the text tool: the content box is
    // emptied and takes the keyboard focus.
    void StartNewText();

    QComboBox* KorFontList() const { return m_korFont; }
    QComboBox* AlnumFontList() const { return m_alnumFont; }
    QCheckBox* KorBold() const { return m_korBold; }
    QCheckBox* AlnumBold() const { return m_alnumBold; }
    QCheckBox* Inverse() const { return m_inverse; }
    QCheckBox* Underline() const { return m_underline; }
    QPlainTextEdit* Content() const { return m_content; }
    // How many characters the module leaves out of the chief text; empty
    // when it shows them all.
    QString HiddenNote() const;

  Q_SIGNALS:
    // A coloured text for the application's message line.
    void messageLine(const QColor& colour, const QString& text);

  protected:
    bool KeepsEnter(QObject* watched) const override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void ShowHiddenCharacters();
    void OnContentChanged();
    void OnBoldChanged(int bit, bool set);
    void OnValueChanged(std::string_view key, int32_t value);
    void ReadIntoTool();
    void PaintContentFocus(bool focused);

    QComboBox* m_korFont = nullptr;
    QComboBox* m_alnumFont = nullptr;
    QCheckBox* m_korBold = nullptr;
    QCheckBox* m_alnumBold = nullptr;
    QCheckBox* m_inverse = nullptr;
    QCheckBox* m_underline = nullptr;
    QPlainTextEdit* m_content = nullptr;
    QLabel* m_hidden = nullptr;
    // Texts whose characters the code page could not hold were reported.
    std::set<int32_t> m_reportedUids;
};

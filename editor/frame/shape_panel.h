// CDlgLocalShape: the attribute panel of lines, boxes and ellipses: line
// thickness and dotted spacing (boxes and sliders), the dot colour, and the
// right-angle command for a line.
#pragma once

#include <QString>
#include <string>

#include "editor/frame/attribute_panel.h"
#include "editor/model/drawing_object.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

class CDlgLocalShape : public CVyeAttributePanel {
    Q_OBJECT

  public:
    explicit CDlgLocalShape(CVylCanvas* canvas, QWidget* parent = nullptr);

    void ToLocalCtrls(const CVylObjectUniqueAttr& attrs);
    void FromLocalCtrls(CVylObjectUniqueAttr& attrs) const;
    void UpdateShowStates();
    // The folder of "contexthelpshow.ini" (the dotted-circle notice).
    void SetTextDataFolder(std::string folder) { m_textDataFolder = std::move(folder); }

    QLineEdit* ThicknessBox() const { return m_thickness; }
    QLineEdit* SpacingBox() const { return m_spacing; }
    QSlider* ThicknessSlider() const { return m_thicknessSlider; }
    QSlider* SpacingSlider() const { return m_spacingSlider; }
    // "(실선)" while the spacing draws a solid line, else empty.
    QString SolidNote() const;
    QPushButton* DotsOnButton() const { return m_on; }
    QPushButton* DotsOffButton() const { return m_off; }
    QPushButton* RightAngleButton() const { return m_rightAngle; }

  protected:
    void OnEnter(QObject* watched) override;
    void BeforeCanvasKey(QObject* watched, const QKeyEvent& key) override;

  private:
    // A box's value: shown live while it changes, recorded once it is final.
    void OnBoxChanged(QLineEdit* box, bool final);
    void FollowBox(QLineEdit* box, QSlider* slider);
    void OnColour(bool on);
    void ReadIntoTool();
    void ConsiderDottedCircleNotice();

    QLineEdit* m_thickness = nullptr;
    QLineEdit* m_spacing = nullptr;
    QSlider* m_thicknessSlider = nullptr;
    QSlider* m_spacingSlider = nullptr;
    QLabel* m_solidNote = nullptr;
    QPushButton* m_on = nullptr;
    QPushButton* m_off = nullptr;
    QPushButton* m_rightAngle = nullptr;
    // The values last recorded (or shown from the selection).
    QString m_committedThickness;
    QString m_committedSpacing;
    std::string m_textDataFolder;
    bool m_dottedCircleConsidered = false;
};

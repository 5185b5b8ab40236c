#include "editor/frame/shape_panel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

#include "editor/canvas/canvas_widget.h"
#include "editor/canvas/notice.h"
#include "editor/document/profile_file.h"
#include "editor/model/column_table.h"
#include "editor/tree/code_page.h"
#include "editor/tree/decimal_text.h"

namespace {

// Whether the LCD commands of an object kind depend on a setting (the
// device context's command dependence table).
bool KindDependsOn(const CVylDeviceContext& dc, int32_t kind, std::string_view setting) {
    CVylColumnTable table;
    table.Parse(dc.GetString(kKeyCmdDependenceReference));
    const CVylColumnTable::Column* column = table.GetColumn(DecimalText(kind));
    if (column == nullptr) {
        return false;
    }
    for (std::string_view cell : *column) {
        if (!cell.empty() && cell.front() == '%') {
            cell.remove_prefix(1);
        }
        if (cell == setting) {
            return true;
        }
    }
    return false;
}

bool AnySelectedDependsOn(const CVylCanvasCore& core, std::string_view setting) {
    VyUidSet kinds;
    core.Selection().GetAllSelectedObjectKindMap(kinds);
    for (int32_t kind : kinds) {
        if (KindDependsOn(core.DeviceContext(), kind, setting)) {
            return true;
        }
    }
    return false;
}

QSlider* Slider(int minimum, int maximum, QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(minimum, maximum);
    slider->setMinimumWidth(110);
    return slider;
}

QLineEdit* NumberBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setMaxLength(3);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    box->setAlignment(Qt::AlignRight);
    return box;
}

}  // namespace

CDlgLocalShape::CDlgLocalShape(CVylCanvas* canvas, QWidget* parent)
    : CVyeAttributePanel(canvas, parent) {
    m_thickness = NumberBox(this);
    m_spacing = NumberBox(this);
    m_thicknessSlider = Slider(0, 25, this);
    m_spacingSlider = Slider(1, 25, this);
    m_on = new QPushButton(QStringLiteral("■"), this);
    m_off = new QPushButton(QStringLiteral("□"), this);
    for (QPushButton* button : {m_on, m_off}) {
        button->setCheckable(true);
        button->setFixedWidth(button->sizeHint().height() + 6);
    }
    auto* colours = new QButtonGroup(this);
    colours->addButton(m_on);
    colours->addButton(m_off);
    m_on->setChecked(true);
    m_rightAngle = new QPushButton(tr("직각으로"), this);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setHorizontalSpacing(6);
    layout->addWidget(new QLabel(tr("선 굵기"), this), 0, 0);
    layout->addWidget(m_thickness, 0, 1);
    layout->addWidget(m_thicknessSlider, 0, 2);
    layout->addWidget(new QLabel(tr("점선 간격"), this), 1, 0);
    layout->addWidget(m_spacing, 1, 1);
    m_solidNote = new QLabel(this);
    m_solidNote->setToolTip(tr("간격이 선 굵기 + 1 이하이면 실선으로 그려집니다."));
    auto* spacingRow = new QHBoxLayout;
    spacingRow->setContentsMargins(0, 0, 0, 0);
    spacingRow->addWidget(m_spacingSlider, 1);
    spacingRow->addWidget(m_solidNote);
    layout->addLayout(spacingRow, 1, 2);
    layout->addWidget(new QLabel(tr("색"), this), 0, 3);
    layout->addWidget(m_on, 0, 4);
    layout->addWidget(m_off, 0, 5);
    layout->addWidget(m_rightAngle, 1, 3, 1, 3);
    layout->setColumnStretch(6, 1);

    SetUpdating(true);
    m_thickness->setText(QStringLiteral("0"));
    m_spacing->setText(QStringLiteral("1"));
    m_committedThickness = m_thickness->text();
    m_committedSpacing = m_spacing->text();
    SetUpdating(false);
    ReadIntoTool();

    for (const auto& [box, slider] :
         {std::pair{m_thickness, m_thicknessSlider}, std::pair{m_spacing, m_spacingSlider}}) {
        QLineEdit* target = box;
        QSlider* follower = slider;
        connect(box, &QLineEdit::textChanged, this, [this, target, follower] {
            FollowBox(target, follower);
            OnBoxChanged(target, false);
        });
        connect(box, &QLineEdit::editingFinished, this,
                [this, target] { OnBoxChanged(target, true); });
        connect(slider, &QSlider::sliderMoved, this,
                [target](int position) { target->setText(QString::number(position)); });
        // A notice opened during the drag would take the release, and with
        // it the value: it comes once the value is recorded.
        connect(slider, &QSlider::sliderReleased, this, [this, target] {
            OnBoxChanged(target, true);
            if (target == m_spacing) {
                ConsiderDottedCircleNotice();
            }
        });
    }
    FollowBox(m_thickness, m_thicknessSlider);
    FollowBox(m_spacing, m_spacingSlider);
    connect(m_on, &QPushButton::clicked, this, [this] { OnColour(true); });
    connect(m_off, &QPushButton::clicked, this, [this] { OnColour(false); });
    connect(m_rightAngle, &QPushButton::clicked, this,
            [this] { Canvas()->Core().LetRightAngleOneSel(); });
    WatchKeys();
}

// The slider shows what it can of the box's value, whoever set it, and the
// note says when the spacing draws a solid line.
void CDlgLocalShape::FollowBox(QLineEdit* box, QSlider* slider) {
    const int32_t value = AtoiValue(box->text().toStdString());
    {
        const QSignalBlocker quiet(slider);
        slider->setValue(std::clamp(value, slider->minimum(), slider->maximum()));
    }
    const bool solid = AtoiValue(m_spacing->text().toStdString()) <=
                       AtoiValue(m_thickness->text().toStdString()) + 1;
    m_solidNote->setText(solid ? tr("(실선)") : QString());
}

QString CDlgLocalShape::SolidNote() const {
    return m_solidNote->text();
}

void CDlgLocalShape::ToLocalCtrls(const CVylObjectUniqueAttr& attrs) {
    SetUpdating(true);
    m_thickness->setText(QString::fromStdString(Cp949ToUtf8(attrs.GetString(kKeyDotSize))));
    m_spacing->setText(QString::fromStdString(Cp949ToUtf8(attrs.GetString(kKeyDottedSpacing))));
    m_committedThickness = m_thickness->text();
    m_committedSpacing = m_spacing->text();
    const int32_t colour = attrs.GetInt(kKeyColorSwitch, 0);
    const bool on = colour >= 1;
    m_on->setChecked(on);
    m_off->setChecked(!on);
    SetUpdating(false);
}

void CDlgLocalShape::FromLocalCtrls(CVylObjectUniqueAttr& attrs) const {
    attrs.SetString(kKeyDotSize, Utf8ToCp949(m_thickness->text().toStdString()));
    attrs.SetString(kKeyDottedSpacing, Utf8ToCp949(m_spacing->text().toStdString()));
    attrs.SetString(kKeyColorSwitch, m_on->isChecked() ? "1" : "0");
}

void CDlgLocalShape::ReadIntoTool() {
    if (Canvas() != nullptr) {
        FromLocalCtrls(Canvas()->Core().ToolAttrs());
    }
}

// Live while the value changes (the objects and the LCD follow, nothing is
// recorded); recorded once when it is final (slider released, Enter, focus
// gone), so that a typed value is kept too.
void CDlgLocalShape::OnBoxChanged(QLineEdit* box, bool final) {
    if (IsUpdating() || Canvas() == nullptr) {
        return;
    }
    const std::string_view key = box == m_thickness ? kKeyDotSize : kKeyDottedSpacing;
    const std::string text = Utf8ToCp949(box->text().toStdString());
    QString& committed = box == m_thickness ? m_committedThickness : m_committedSpacing;
    if (!final) {
        Canvas()->Core().TypicalRepair(CVylObjectRepairAction::Text(key, text), 1);
    } else if (box->text() != committed) {
        Canvas()->Core().TypicalRepair(CVylObjectRepairAction::Text(key, text), 0);
        committed = box->text();
    }
    ReadIntoTool();
}

void CDlgLocalShape::OnEnter(QObject* watched) {
    if (watched == m_thickness || watched == m_spacing) {
        OnBoxChanged(static_cast<QLineEdit*>(watched), true);
    }
}

// Tab may pick another object and undo or redo may replace the drawing:
// what was typed goes to the object it was typed for first.
void CDlgLocalShape::BeforeCanvasKey(QObject* watched, const QKeyEvent& key) {
    const bool changesSelection =
        key.key() == Qt::Key_Tab || key.modifiers().testFlag(Qt::ControlModifier);
    if (changesSelection && (watched == m_thickness || watched == m_spacing)) {
        OnBoxChanged(static_cast<QLineEdit*>(watched), true);
    }
}

void CDlgLocalShape::OnColour(bool on) {
    if (Canvas() == nullptr) {
        return;
    }
    Canvas()->Core().TypicalRepair(CVylObjectRepairAction::Text(kKeyColorSwitch, on ? "1" : "0"),
                                   0);
    ReadIntoTool();
}

void CDlgLocalShape::UpdateShowStates() {
    if (Canvas() == nullptr) {
        return;
    }
    const CVylCanvasCore& core = Canvas()->Core();
    m_rightAngle->setEnabled(core.Selection().GetSelState() == 2 &&
                             core.Selection().GetChiefSelectedObjKind() == kObjLine);
    const bool thickness = AnySelectedDependsOn(core, kKeyDotSize);
    const bool spacing = AnySelectedDependsOn(core, "line_style");
    m_thickness->setEnabled(thickness);
    m_thicknessSlider->setEnabled(thickness);
    m_spacing->setEnabled(spacing);
    m_spacingSlider->setEnabled(spacing);
}

// Dotted circles are drawn solid by the module: said once per installation.
void CDlgLocalShape::ConsiderDottedCircleNotice() {
    if (m_dottedCircleConsidered || m_textDataFolder.empty() || Canvas() == nullptr ||
        !Canvas()->Core().Selection().IsObjectKindAnySelected(kObjEllipse)) {
        return;
    }
    m_dottedCircleConsidered = true;
    if (TakeOneTimeNotice(m_textDataFolder + "/contexthelpshow.ini", "dottedcircle")) {
        ShowNotice(tr("※ 점선으로 된 원은 지원하지 않습니다."), QString(), this);
    }
}

#include "editor/frame/bitmap_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <utility>

#include "editor/canvas/canvas_widget.h"
#include "editor/canvas/notice.h"
#include "editor/command/bitmap_source.h"
#include "editor/image/lcd_picture.h"

namespace {

QString AskWithDialog(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

VyOpenFileChooser& Chooser() {
    static VyOpenFileChooser chooser = AskWithDialog;
    return chooser;
}

// The seven formats a bitmap object takes, by their usual extension.
QStringList PictureExtensions() {
    return QStringLiteral("bmp/jpg/gif/png/ico/tif/pcx").split(u'/');
}

}  // namespace

VyOpenFileChooser CDlgLocalBmp::SetOpenFileChooser(VyOpenFileChooser chooser) {
    return std::exchange(Chooser(),
                         chooser ? std::move(chooser) : VyOpenFileChooser(AskWithDialog));
}

QString CDlgLocalBmp::PictureFilter() {
    QStringList patterns;
    for (const QString& extension : PictureExtensions()) {
        patterns << QStringLiteral("*.") + extension;
    }
    // Qt's file dialogs separate the patterns of one filter by blanks.
    const QString joined = patterns.join(u' ');
    return tr("지원되는 이미지 형식(%1);;모든 파일(*.*)").arg(joined);
}

CDlgLocalBmp::CDlgLocalBmp(CVylCanvas* canvas, QWidget* parent)
    : CVyeAttributePanel(canvas, parent) {
    m_load = new QPushButton(tr("불러오기.."), this);
    m_realSize = new QPushButton(tr("실제 크기로 변경"), this);
    m_dither = new QComboBox(this);
    // In the order of the methods' numbers.
    m_dither->addItems(
        {tr("디더링 없음"), tr("플로이드-스타인버그"), tr("앳킨슨"), tr("순서 디더링 4x4")});
    m_level = new QSpinBox(this);
    m_level->setRange(kMinReductionLevel, kMaxReductionLevel);
    // Recorded when the value is final (Enter, focus gone, an arrow step),
    // not at every digit typed.
    m_level->setKeyboardTracking(false);
    m_invert = new QCheckBox(tr("반전"), this);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setHorizontalSpacing(6);
    layout->addWidget(m_load, 0, 0, 1, 2);
    layout->addWidget(m_realSize, 0, 2, 1, 3);
    layout->addWidget(new QLabel(tr("흑백 변환"), this), 1, 0);
    layout->addWidget(m_dither, 1, 1);
    layout->addWidget(new QLabel(tr("기준 밝기"), this), 1, 2);
    layout->addWidget(m_level, 1, 3);
    layout->addWidget(m_invert, 1, 4);
    layout->setColumnStretch(5, 1);

    connect(m_load, &QPushButton::clicked, this, &CDlgLocalBmp::OnLoad);
    connect(m_realSize, &QPushButton::clicked, this, [this] {
        if (Canvas() != nullptr) {
            Canvas()->Core().ResizeChiefToPicture();
        }
    });
    connect(m_dither, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && static_cast<size_t>(index) < AllDithers().size()) {
            ChangeReduction(kKeyBmpDither, DitherText(AllDithers()[static_cast<size_t>(index)]));
        }
    });
    connect(m_level, &QSpinBox::valueChanged, this,
            [this](int level) { ChangeReduction(kKeyBmpLevel, LevelText(level)); });
    connect(m_invert, &QCheckBox::toggled, this,
            [this](bool invert) { ChangeReduction(kKeyBmpInvert, InvertText(invert)); });
    WatchKeys();
    ShowReduction(nullptr);
}

void CDlgLocalBmp::OnLoad() {
    const QString path = Chooser()(this, tr("이미지 파일을 선택하세요."), PictureFilter());
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        LoadPicture(path);
    }
}

std::optional<std::string> CDlgLocalBmp::ReadPicture(const QString& path,
                                                     const CVylDeviceContext& dc, QWidget* parent) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowNotice(tr("파일을 로드할 수 없습니다."), QString(), parent);
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    VyLcdPicture picture =
        PrepareLcdPicture(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                          {dc.GetInt(kKeyResolutionX, -1), dc.GetInt(kKeyResolutionY, -1)});
    if (!picture.source.empty()) {
        return std::move(picture.source);
    }
    const VyDecodeProblem& problem = picture.problem;
    if (problem.tooLarge) {
        ShowNotice(tr("그림이 너무 큽니다: %1 x %2 화소. 불러올 수 있는 그림은 %3 화소까지입니다.")
                       .arg(problem.width)
                       .arg(problem.height)
                       .arg(QString::fromStdString(PixelLimitText(problem.maxPixels))),
                   QString(), parent);
    } else {
        ShowNotice(tr("지원되는 이미지 형식이 아닙니다."), QString(), parent);
    }
    return std::nullopt;
}

bool CDlgLocalBmp::IsPictureName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return PictureExtensions().contains(suffix) || suffix == QStringLiteral("jpeg") ||
           suffix == QStringLiteral("tiff");
}

void CDlgLocalBmp::LoadPicture(const QString& path) {
    if (Canvas() == nullptr) {
        return;
    }
    CVylCanvasCore& core = Canvas()->Core();
    if (const std::optional<std::string> picture = ReadPicture(path, core.DeviceContext(), this)) {
        core.LoadChiefPicture(*picture);
    }
}

void CDlgLocalBmp::ChangeReduction(std::string_view key, const std::string& value) {
    if (IsUpdating() || Canvas() == nullptr) {
        return;
    }
    Canvas()->Core().ChangeChiefReduction(CVylObjectRepairAction::Text(key, value));
}

bool CDlgLocalBmp::IsLevelBox(QObject* watched) const {
    return watched == m_level || (watched != nullptr && watched->parent() == m_level);
}

void CDlgLocalBmp::OnEnter(QObject* watched) {
    if (IsLevelBox(watched)) {
        m_level->interpretText();
    }
}

// Undo, redo or Tab may change what the box speaks of: the typed level goes
// to the object it was typed for first.
void CDlgLocalBmp::BeforeCanvasKey(QObject* watched, const QKeyEvent& key) {
    const bool changesSelection =
        key.key() == Qt::Key_Tab || key.modifiers().testFlag(Qt::ControlModifier);
    if (changesSelection && IsLevelBox(watched)) {
        m_level->interpretText();
    }
}

void CDlgLocalBmp::ShowReduction(const CVylObject* chief) {
    const VyReduction reduction = chief != nullptr ? ReductionOf(chief->Unique()) : VyReduction();
    SetUpdating(true);
    m_dither->setCurrentIndex(static_cast<int>(reduction.dither));
    m_level->setValue(reduction.level);
    m_invert->setChecked(reduction.invert);
    SetUpdating(false);
    const bool bitmap = chief != nullptr;
    m_dither->setEnabled(bitmap);
    m_invert->setEnabled(bitmap);
    // The other methods have no cut to move.
    m_level->setEnabled(bitmap && reduction.dither == VyDither::kThreshold);
}

void CDlgLocalBmp::UpdateShowStates() {
    const CVylObject* chief =
        Canvas() != nullptr ? Canvas()->Core().Selection().GetChiefSelectedObj() : nullptr;
    const CVylObject* bitmap = chief != nullptr && chief->GetKind() == kObjBitmap ? chief : nullptr;
    CRevolver picture;
    m_realSize->setEnabled(chief != nullptr && chief->Unique().GetBytes(kKeyBmpBin, &picture) &&
                           picture.GetLength() > 0);
    ShowReduction(bitmap);
}

#include "editor/frame/bitmap_panel.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <utility>

#include "editor/canvas/canvas_widget.h"
#include "editor/canvas/notice.h"
#include "editor/frame/picture_loading.h"

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
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(m_load);
    layout->addWidget(m_realSize);
    layout->addStretch(1);
    connect(m_load, &QPushButton::clicked, this, &CDlgLocalBmp::OnLoad);
    connect(m_realSize, &QPushButton::clicked, this, [this] {
        if (Canvas() != nullptr) {
            Canvas()->Core().ResizeChiefToPicture();
        }
    });
    WatchKeys();
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
    std::optional<std::string> picture =
        PrepareLcdPicture(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                          dc.GetInt(kKeyResolutionX, -1), dc.GetInt(kKeyResolutionY, -1));
    if (!picture) {
        ShowNotice(tr("지원되는 이미지 형식이 아닙니다."), QString(), parent);
    }
    return picture;
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
        core.RepairChief(CVylObjectRepairAction::Bytes(kKeyBmpBin, CRevolver::FromBytes(*picture)));
    }
}

void CDlgLocalBmp::UpdateShowStates() {
    const CVylObject* chief =
        Canvas() != nullptr ? Canvas()->Core().Selection().GetChiefSelectedObj() : nullptr;
    CRevolver picture;
    m_realSize->setEnabled(chief != nullptr && chief->Unique().GetBytes(kKeyBmpBin, &picture) &&
                           picture.GetLength() > 0);
}

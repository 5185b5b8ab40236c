// CDlgLocalBmp: the attribute panel of bitmaps: a picture file loaded into
// the selected bitmap object, the object made as large as its picture, and
// how its picture is reduced to one bit (method, threshold level, invert).
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "editor/frame/attribute_panel.h"
#include "editor/model/device_context.h"

class CVylObject;
class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

// Asks the user for a file to open (title, filter); empty when cancelled.
// Tests replace it, so that no file dialog ever blocks them.
using VyOpenFileChooser =
    std::function<QString(QWidget* parent, const QString& title, const QString& filter)>;

class CDlgLocalBmp : public CVyeAttributePanel {
    Q_OBJECT

  public:
    explicit CDlgLocalBmp(CVylCanvas* canvas, QWidget* parent = nullptr);

    void UpdateShowStates();
    // Loads a picture file into the chief object (what "불러오기.." does
    // after the file dialog).
    void LoadPicture(const QString& path);
    // A picture file read and made ready for the LCD of dc (shrunk, as the
    // source BMP file a bitmap keeps); empty after telling the user why not.
    static std::optional<std::string> ReadPicture(const QString& path, const CVylDeviceContext& dc,
                                                  QWidget* parent);
    // Whether the file's name says it is a picture of a supported format.
    static bool IsPictureName(const QString& path);

    QPushButton* LoadButton() const { return m_load; }
    QPushButton* RealSizeButton() const { return m_realSize; }
    QComboBox* DitherBox() const { return m_dither; }
    QSpinBox* LevelBox() const { return m_level; }
    QCheckBox* InvertBox() const { return m_invert; }

    static VyOpenFileChooser SetOpenFileChooser(VyOpenFileChooser chooser);
    // The file dialog's filter: the seven formats, then every file.
    static QString PictureFilter();

  protected:
    void OnEnter(QObject* watched) override;
    void BeforeCanvasKey(QObject* watched, const QKeyEvent& key) override;

  private:
    void OnLoad();
    void ChangeReduction(std::string_view key, const std::string& value);
    bool IsLevelBox(QObject* watched) const;
    void ShowReduction(const CVylObject* chief);

    QPushButton* m_load = nullptr;
    QPushButton* m_realSize = nullptr;
    QComboBox* m_dither = nullptr;
    QSpinBox* m_level = nullptr;
    QCheckBox* m_invert = nullptr;
};

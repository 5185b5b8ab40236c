// CDlgLocalBmp: the attribute panel of bitmaps: a picture file loaded into
// the selected bitmap object, and the object made as large as its picture.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "editor/frame/attribute_panel.h"
#include "editor/model/device_context.h"

class QPushButton;

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
    // A picture file read and made ready for the LCD of dc (shrunk, one bit,
    // as a BMP file); empty after telling the user why not.
    static std::optional<std::string> ReadPicture(const QString& path, const CVylDeviceContext& dc,
                                                  QWidget* parent);
    // Whether the file's name says it is a picture of a supported format.
    static bool IsPictureName(const QString& path);

    QPushButton* LoadButton() const { return m_load; }
    QPushButton* RealSizeButton() const { return m_realSize; }

    static VyOpenFileChooser SetOpenFileChooser(VyOpenFileChooser chooser);
    // The file dialog's filter: the seven formats, then every file.
    static QString PictureFilter();

  private:
    void OnLoad();

    QPushButton* m_load = nullptr;
    QPushButton* m_realSize = nullptr;
};

// The module's own picture of the drawing, for the canvas's "LCD preview":
// the drawing's full update run through the model of the module, its dots
// then shown at the canvas's scale. Texts come out in the module's glyphs,
// every shape as the module draws it. Kept while the commands stay the same.
#pragma once

#include <QImage>
#include <string>

#include "editor/document/object_group.h"
#include "editor/model/device_context.h"

class CVylModulePreview {
  public:
    // One pixel a dot: set dots in the dot colour, the others transparent.
    const QImage& Screen(const CVylDeviceContext& dc, const CVylObjectGroup& drawing);

  private:
    std::string m_commands;
    QImage m_screen;
};

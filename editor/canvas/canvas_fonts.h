// The fonts of the screen preview. The LCD's font faces ("돋움", "바탕"...)
// and "Arial" are mapped once per process to free fonts that Debian ships,
// and fonts are sized by pixel height and average character width.
#pragma once

#include <QFont>
#include <QHash>
#include <QString>

// The face for one-byte characters in the fixed-width mode.
inline const QString kFixedAlnumFace = QStringLiteral("VYLCD Fixed");

// Maps the faces the LCD fonts name to installed free fonts; idempotent.
void InstallCanvasFontSubstitutions();

class CVylCanvasFonts {
  public:
    CVylCanvasFonts();
    // A font of the face with the given pixel height, stretched so that its
    // average character is averageWidth pixels wide (0: unstretched). As
    // the LCD's font tables mean it, the average character of a double-byte
    // (wide) font is half a Hangul syllable, of any other font an "x".
    const QFont& Font(const QString& face, int pixelHeight, int averageWidth, bool bold, bool wide);

  private:
    QHash<QString, QFont> m_fonts;
};

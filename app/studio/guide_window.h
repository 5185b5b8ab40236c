// CGuideWindow: the user's guide in a window of the studio's own, read-only
// and searchable, in the interface's font, so that it shows on any desktop;
// a button still hands the file to the desktop's viewer.
#pragma once

#include <QString>
#include <QWidget>

#include "app/studio/guide_find.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CGuideWindow : public QWidget {
    Q_OBJECT

  public:
    explicit CGuideWindow(QWidget* parent = nullptr);

    // Shows the guide of path, read again unless it is already on show; a
    // file that cannot be read is said so in place of the text.
    void ShowGuide(const QString& path);
    const QString& GuidePath() const { return m_path; }
    // Whether the text shown is the guide (false: the reason it is not).
    bool HasGuide() const { return m_hasGuide; }

    // Selects the next or previous place of the find box's word; the state
    // line beside the box tells when it went round or found nothing.
    void Find(VyFindDirection direction);

    QPlainTextEdit& Text() const { return *m_text; }
    QLineEdit& FindBox() const { return *m_findBox; }
    QLabel& State() const { return *m_state; }
    QPushButton& OpenInViewerButton() const { return *m_openInViewer; }

  Q_SIGNALS:
    // The desktop's viewer did not open the guide.
    void viewerFailed(const QString& path);

  private:
    QWidget* CreateFindBar();
    void CreateShortcuts();
    void LoadGuide(const QString& path);
    void FindAsTyped();
    void ShowFindResult(const VyGuideMatch& match, VyFindDirection direction);
    void ShowState(const QString& text, bool notFound);
    void OpenInViewer();
    void SizeToText();

    QPlainTextEdit* m_text = nullptr;
    QLineEdit* m_findBox = nullptr;
    QLabel* m_state = nullptr;
    QPushButton* m_openInViewer = nullptr;
    QString m_path;
    bool m_hasGuide = false;
};

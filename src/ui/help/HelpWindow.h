#pragma once

#include "ui/help/HelpPage.h"

#include <QHash>
#include <QString>
#include <QWidget>

#include <vector>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QSplitter;
class QUrl;

namespace pexa {

// The program's help window: a contents list, a search field and the page.
// The help file is an HTML document ("pexa.hlp" beside the executable) with
// one named anchor per help-context number ("ctx5") and headings that
// make up the contents. The file is read when help is first asked for (and
// again while it could not be read), so a missing or unreadable file is
// reported inside this window, never by the caller; so is a document that
// would be too much work to lay out (CheckHelpDocument). The contents list
// is as wide as its longest title, up to a share of the window.
//
// Kept rather than Qt Assistant or the desktop's browser: the help is one
// HTML file beside the program (no help collection to build or install), and
// the window opens at a command's topic and filters the contents by a search.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* owner = nullptr);
    ~HelpWindow() override;
    HelpWindow(const HelpWindow&) = delete;
    HelpWindow& operator=(const HelpWindow&) = delete;

    // The file beside the running executable: pexa.hlp for the Japanese
    // interface, pexa_en.hlp for the English one.
    static QString DefaultHelpFile();
    // The anchor of a help context ("ctx20").
    static QString ContextAnchor(int context);

    QString HelpFile() const { return helpFile_; }
    // Another file; it is read at the next request.
    void SetHelpFile(const QString& path);
    // Another folder for the documents of both languages (tests, tools); the
    // interface language still chooses between them.
    void SetHelpFolder(const QString& folder);

    // Shows the window at the document's start, with the search field ready.
    void ShowContents();
    // Shows the window at the topic of a help context; the contents when the
    // document has no topic for it.
    void ShowContext(int context);

    // Whether the document was read.
    bool IsLoaded() const { return loaded_; }
    // The anchor the page was last opened at (empty: the document's start).
    QString CurrentAnchor() const { return currentAnchor_; }
    // The text of the status line (a missing file, a failed search).
    QString StatusText() const;

    // Keeps only the contents entries whose topic contains the text
    // (ignoring case); an empty text shows them all. When none is left the
    // status line says so.
    void FilterContents(const QString& text);
    // Selects the next occurrence of the text in the page, from the
    // selection on and wrapping at the end; false when there is none.
    bool FindNext(const QString& text);

    QLineEdit* SearchField() const { return searchField_; }
    QListWidget* ContentsList() const { return contentsList_; }
    QTextBrowser* Page() const { return page_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Retitles the window and, unless another file was set, opens the
    // document of the new language.
    void changeEvent(QEvent* event) override;

private:
    // A heading of the document and the text up to the next one.
    struct Topic {
        QString Title;
        QString Anchor; // empty for a heading without one
        QString Text;
        int Level = 1;
        int Position = 0; // of the heading in the document
    };

    void RetranslateTexts();
    QString LanguageHelpFile() const;
    bool EnsureLoaded();
    bool CheckDocument(const QByteArray& bytes, const QString& shownPath);
    void ShowFailure(const QString& message);
    void CollectTopics();
    void FillContents();
    void FitContentsWidth();
    void OnLinkRefused(const QUrl& url);
    void OnLinkNotOpened(const QUrl& url);
    void OpenAnchor(const QString& anchor);
    void OpenPosition(int position, const QString& anchor);
    void OnContentsActivated();
    void Present();

    QString helpFile_;
    QString helpFolder_;
    // Whether the file is the default one, which follows the language.
    bool followsLanguage_ = true;
    QString loadedFile_;
    bool loaded_ = false;
    QString currentAnchor_;
    std::vector<Topic> topics_;
    // Where each anchor of the document first stands.
    QHash<QString, int> anchors_;

    QLabel* searchLabel_ = nullptr;
    QLineEdit* searchField_ = nullptr;
    QListWidget* contentsList_ = nullptr;
    QSplitter* splitter_ = nullptr;
    HelpPage* page_ = nullptr;
    QLabel* statusLabel_ = nullptr;
};

} // namespace pexa

#include "ui/help/HelpWindow.h"

#include "ui/app/Language.h"
#include "ui/help/HelpDocumentCheck.h"
#include "ui/help/HelpPage.h"
#include "ui/help/HelpStyle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace pexa {

namespace {

// A help document is a few dozen kilobytes; anything far larger is not one.
constexpr qint64 kMaxHelpFileBytes = 16 * 1024 * 1024;
constexpr int kTopicRole = Qt::UserRole;

// The contents list takes its longest title's width up to this share of the
// window; the page keeps the rest.
constexpr double kMaxContentsShare = 0.4;

// A link is shown in a message up to this many characters (a data: link can
// carry a whole document).
constexpr int kMaxShownLinkLength = 80;

QString NotFoundText(const QString& query) {
    return HelpWindow::tr("\"%1\" not found.").arg(query);
}

QString ShownLink(const QUrl& url) {
    const QString text = url.toDisplayString();
    if (text.size() <= kMaxShownLinkLength)
        return text;
    return text.left(kMaxShownLinkLength - 1) + QChar(0x2026);
}

} // namespace

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("helpViewer"));
    helpFile_ = DefaultHelpFile();

    searchLabel_ = new QLabel(this);
    searchField_ = new QLineEdit(this);
    searchField_->setObjectName(QStringLiteral("helpSearch"));
    searchField_->setClearButtonEnabled(true);
    searchLabel_->setBuddy(searchField_);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel_);
    searchRow->addWidget(searchField_, 1);

    contentsList_ = new QListWidget(this);
    contentsList_->setObjectName(QStringLiteral("helpContents"));
    page_ = new HelpPage(this);
    page_->setObjectName(QStringLiteral("helpPage"));
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->addWidget(contentsList_);
    splitter_->addWidget(page_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({200, 560});

    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("helpStatus"));

    auto* column = new QVBoxLayout(this);
    column->addLayout(searchRow);
    column->addWidget(splitter_, 1);
    column->addWidget(statusLabel_);
    resize(760, 520);
    RetranslateTexts();

    connect(searchField_, &QLineEdit::textChanged, this, &HelpWindow::FilterContents);
    connect(searchField_, &QLineEdit::returnPressed, this,
            [this] { FindNext(searchField_->text()); });
    connect(contentsList_, &QListWidget::itemActivated, this, &HelpWindow::OnContentsActivated);
    connect(contentsList_, &QListWidget::itemClicked, this, &HelpWindow::OnContentsActivated);
    connect(page_, &HelpPage::linkRefused, this, &HelpWindow::OnLinkRefused);
    connect(page_, &HelpPage::linkNotOpened, this, &HelpWindow::OnLinkNotOpened);
}

HelpWindow::~HelpWindow() = default;

QString HelpWindow::DefaultHelpFile() {
    const QString name =
        JapaneseInEffect() ? QStringLiteral("pexa.hlp") : QStringLiteral("pexa_en.hlp");
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

QString HelpWindow::ContextAnchor(int context) {
    return QStringLiteral("ctx%1").arg(context);
}

void HelpWindow::SetHelpFile(const QString& path) {
    helpFile_ = path;
    followsLanguage_ = false;
}

void HelpWindow::SetHelpFolder(const QString& folder) {
    helpFolder_ = folder;
    followsLanguage_ = true;
    helpFile_ = LanguageHelpFile();
}

QString HelpWindow::LanguageHelpFile() const {
    const QString standard = DefaultHelpFile();
    if (helpFolder_.isEmpty())
        return standard;
    return QDir(helpFolder_).filePath(QFileInfo(standard).fileName());
}

void HelpWindow::RetranslateTexts() {
    setWindowTitle(tr("pexa Help"));
    searchLabel_->setText(tr("&Search:"));
}

void HelpWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    RetranslateTexts();
    if (!followsLanguage_ || helpFile_ == LanguageHelpFile())
        return;
    // The document of the other language, at the same topic when it has it.
    helpFile_ = LanguageHelpFile();
    if (!isVisible())
        return;
    statusLabel_->clear();
    if (!EnsureLoaded())
        return;
    OpenAnchor(currentAnchor_);
}

QString HelpWindow::StatusText() const {
    return statusLabel_->text();
}

bool HelpWindow::EnsureLoaded() {
    if (loaded_ && loadedFile_ == helpFile_)
        return true;
    loaded_ = false;
    topics_.clear();
    anchors_.clear();
    const QString shownPath = QDir::toNativeSeparators(helpFile_);
    QFile file(helpFile_);
    if (!QFileInfo(helpFile_).isFile() || !file.open(QIODevice::ReadOnly)) {
        ShowFailure(tr("Help file %1 not found.").arg(shownPath));
        return false;
    }
    if (file.size() > kMaxHelpFileBytes) {
        ShowFailure(tr("Help file %1 is too large.").arg(shownPath));
        return false;
    }
    const QByteArray bytes = file.read(kMaxHelpFileBytes + 1);
    if (bytes.size() > kMaxHelpFileBytes || file.error() != QFileDevice::NoError) {
        ShowFailure(tr("Cannot read help file %1.").arg(shownPath));
        return false;
    }
    if (!CheckDocument(bytes, shownPath))
        return false;
    page_->setSearchPaths({QFileInfo(helpFile_).absolutePath()});
    page_->document()->setDefaultStyleSheet(HelpStyleSheet(page_->palette()));
    page_->setHtml(QString::fromUtf8(bytes));
    loaded_ = true;
    loadedFile_ = helpFile_;
    statusLabel_->clear();
    CollectTopics();
    FillContents();
    return true;
}

// Refuses a document that would keep the viewer busy for minutes or crash it;
// the byte limit alone does not bound that work.
bool HelpWindow::CheckDocument(const QByteArray& bytes, const QString& shownPath) {
    switch (CheckHelpDocument(bytes)) {
    case HelpDocumentVerdict::Acceptable:
        return true;
    case HelpDocumentVerdict::NestedTooDeeply:
        ShowFailure(tr("Help file %1 is nested too deeply to show.").arg(shownPath));
        return false;
    case HelpDocumentVerdict::TooManyElements:
        ShowFailure(tr("Help file %1 has too many elements to show.").arg(shownPath));
        return false;
    }
    return false;
}

void HelpWindow::ShowFailure(const QString& message) {
    page_->setPlainText(message);
    contentsList_->clear();
    statusLabel_->setText(message);
    currentAnchor_.clear();
}

void HelpWindow::CollectTopics() {
    const QTextDocument* document = page_->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QString anchor;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QStringList names = it.fragment().charFormat().anchorNames();
            for (const QString& name : names)
                if (!anchors_.contains(name))
                    anchors_.insert(name, it.fragment().position());
            if (anchor.isEmpty() && !names.isEmpty())
                anchor = names.front();
        }
        const int level = block.blockFormat().headingLevel();
        if (level > 0) {
            topics_.push_back(
                Topic{block.text().trimmed(), anchor, QString(), level, block.position()});
        } else if (!topics_.empty()) {
            topics_.back().Text += block.text();
            topics_.back().Text += QLatin1Char('\n');
        }
    }
}

void HelpWindow::FillContents() {
    contentsList_->clear();
    for (std::size_t i = 0; i < topics_.size(); ++i) {
        const Topic& topic = topics_[i];
        const QString indent(2 * std::max(0, topic.Level - 1), QLatin1Char(' '));
        auto* item = new QListWidgetItem(indent + topic.Title, contentsList_);
        item->setData(kTopicRole, static_cast<int>(i));
    }
    FitContentsWidth();
    // A new list (another language's document) keeps the search field's filter.
    FilterContents(searchField_->text());
}

// Wide enough for the longest title in the list's own font, within reason.
void HelpWindow::FitContentsWidth() {
    const QFontMetrics metrics(contentsList_->font());
    int widest = 0;
    for (int row = 0; row < contentsList_->count(); ++row)
        widest = std::max(widest, metrics.horizontalAdvance(contentsList_->item(row)->text()));
    // The frame, the item's margins and a vertical scroll bar around the text.
    const int chrome = 2 * contentsList_->frameWidth() + 4 * metrics.averageCharWidth() +
                       contentsList_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // Before the window is first laid out the splitter has no width of its own yet.
    const int total = splitter_->isVisible() ? splitter_->width() : width();
    const int wanted = std::min(widest + chrome, static_cast<int>(total * kMaxContentsShare));
    splitter_->setSizes({wanted, std::max(0, total - wanted)});
}

void HelpWindow::OpenPosition(int position, const QString& anchor) {
    QTextCursor cursor(page_->document());
    cursor.setPosition(std::clamp(position, 0, page_->document()->characterCount() - 1));
    page_->setTextCursor(cursor);
    if (anchor.isEmpty())
        page_->verticalScrollBar()->setValue(0);
    else
        page_->scrollToAnchor(anchor);
    page_->ensureCursorVisible();
    currentAnchor_ = anchor;
    int current = -1;
    for (int row = 0; row < contentsList_->count(); ++row) {
        const Topic& topic =
            topics_[static_cast<std::size_t>(contentsList_->item(row)->data(kTopicRole).toInt())];
        if (topic.Position <= position)
            current = row;
    }
    if (current >= 0)
        contentsList_->setCurrentRow(current);
}

void HelpWindow::OpenAnchor(const QString& anchor) {
    if (anchors_.contains(anchor))
        OpenPosition(anchors_.value(anchor), anchor);
    else
        OpenPosition(0, QString());
}

void HelpWindow::ShowContents() {
    if (EnsureLoaded())
        OpenPosition(0, QString());
    Present();
    searchField_->setFocus();
}

void HelpWindow::ShowContext(int context) {
    if (EnsureLoaded()) {
        const QString anchor = ContextAnchor(context);
        if (anchors_.contains(anchor)) {
            statusLabel_->clear();
            OpenAnchor(anchor);
        } else {
            OpenPosition(0, QString());
            statusLabel_->setText(tr("No help topic %1; showing the contents.").arg(context));
        }
    }
    Present();
}

void HelpWindow::Present() {
    show();
    raise();
    activateWindow();
}

void HelpWindow::FilterContents(const QString& text) {
    const QString query = text.trimmed();
    int shown = 0;
    for (int row = 0; row < contentsList_->count(); ++row) {
        QListWidgetItem* item = contentsList_->item(row);
        const Topic& topic = topics_[static_cast<std::size_t>(item->data(kTopicRole).toInt())];
        const bool match = query.isEmpty() || topic.Title.contains(query, Qt::CaseInsensitive) ||
                           topic.Text.contains(query, Qt::CaseInsensitive);
        item->setHidden(!match);
        shown += match ? 1 : 0;
    }
    // A document that could not be read keeps its message.
    if (!loaded_)
        return;
    // An emptied list alone would look like a broken window.
    if (!query.isEmpty() && shown == 0)
        statusLabel_->setText(NotFoundText(query));
    else
        statusLabel_->clear();
}

bool HelpWindow::FindNext(const QString& text) {
    const QString query = text.trimmed();
    if (query.isEmpty() || !loaded_)
        return false;
    if (page_->find(query)) {
        statusLabel_->clear();
        return true;
    }
    // From the start once more, so that the search wraps around.
    QTextCursor start(page_->document());
    page_->setTextCursor(start);
    if (page_->find(query)) {
        statusLabel_->clear();
        return true;
    }
    statusLabel_->setText(NotFoundText(query));
    return false;
}

// Esc closes the window from any of its controls, as in other viewers.
void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpWindow::OnContentsActivated() {
    const QListWidgetItem* item = contentsList_->currentItem();
    if (item == nullptr)
        return;
    const Topic& topic = topics_[static_cast<std::size_t>(item->data(kTopicRole).toInt())];
    OpenPosition(topic.Position, topic.Anchor);
}

void HelpWindow::OnLinkRefused(const QUrl& url) {
    statusLabel_->setText(tr("The link %1 was not opened: help opens its own topics and web "
                             "and mail links only.")
                              .arg(ShownLink(url)));
}

void HelpWindow::OnLinkNotOpened(const QUrl& url) {
    statusLabel_->setText(tr("No program opened the link %1.").arg(ShownLink(url)));
}

} // namespace pexa

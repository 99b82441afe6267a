#include "platform/helpviewer/HelpViewer.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/helpviewer/HelpTopic.h"

namespace {

// The first block that carries `name` as an anchor, or an invalid block.
QTextBlock FindAnchorBlock(const QTextDocument* document, const QString& name) {
    if (!document || name.isEmpty()) return {};
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        // An anchor with no text of its own lands on the block's format.
        if (block.charFormat().anchorNames().contains(name)) return block;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid() && fragment.charFormat().anchorNames().contains(name))
                return block;
        }
    }
    return {};
}

}  // namespace

HelpViewer::HelpViewer(const QString& folder, QWidget* parent)
    : QWidget(parent), folder_(folder), browser_(new QTextBrowser(this)) {
    setWindowTitle(tr("Help"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    // Links inside the help file (and to other files of the same folder) are followed here;
    // nothing is ever handed to another program.
    browser_->setOpenExternalLinks(false);
    browser_->setOpenLinks(true);
    browser_->setSearchPaths({folder_});
}

bool HelpViewer::Open(const QString& argument) {
    const HelpTopic topic = ParseHelpTopic(argument);
    anchor_ = topic.anchor;
    filePath_ = topic.valid ? FindHelpFile(QDir(folder_), topic.file) : QString();
    if (filePath_.isEmpty()) {
        browser_->clear();
        browser_->setHtml(
            tr("<h3>Help</h3><p>The help topic <b>%1</b> cannot be shown: the file was "
               "not found.</p>")
                .arg(argument.toHtmlEscaped()));
        return false;
    }
    QUrl url = QUrl::fromLocalFile(filePath_);
    if (!topic.anchor.isEmpty()) url.setFragment(topic.anchor);
    browser_->setSource(url);
    if (topic.anchor.isEmpty()) browser_->verticalScrollBar()->setValue(0);
    if (const QString title = browser_->documentTitle(); !title.isEmpty()) setWindowTitle(title);
    return true;
}

bool HelpViewer::HasAnchor(const QString& name) const {
    return FindAnchorBlock(browser_->document(), name).isValid();
}

int HelpViewer::AnchorPosition(const QString& name) const {
    const QTextBlock block = FindAnchorBlock(browser_->document(), name);
    if (!block.isValid()) return -1;
    return qRound(browser_->document()->documentLayout()->blockBoundingRect(block).top());
}

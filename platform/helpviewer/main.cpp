// PegHelp.exe: the device's help viewer. Usage:
//   PegHelp.exe file:NAME#ANCHOR          shows the help file NAME of the viewer's own folder
//                                         (the device's \Windows) at ANCHOR
//   PegHelp.exe --dump file:NAME#ANCHOR   opens it without waiting for the user and prints
//                                         what was shown (file, anchor, whether the anchor
//                                         exists, the scroll position and where the anchor
//                                         lies); exit status 0 when file and anchor were found.
#include <QApplication>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextStream>
#include <cstdlib>

#include "platform/helpviewer/HelpViewer.h"

namespace {

QSize WindowSize() {
    // Help fills the handheld's screen; follow the device screen's size when it is given.
    const QString value = qEnvironmentVariable("KORVEL_SCREEN");
    const QStringList sides =
        value.split(QLatin1Char('x'), Qt::SkipEmptyParts, Qt::CaseInsensitive);
    if (sides.size() == 2) {
        const int width = sides[0].toInt();
        const int height = sides[1].toInt();
        if (width >= 160 && height >= 160 && width <= 10000 && height <= 10000)
            return {width, height};
    }
    return {480, 640};
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("PegHelp"));

    bool dump = false;
    QString topic;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--dump"))
            dump = true;
        else if (topic.isEmpty())
            topic = arguments[i];
    }

    // The help files lie in the folder the viewer was started from, which in an installed
    // tree is the device folder holding a link to the program, not the program's own folder.
    const QFileInfo started(QString::fromLocal8Bit(argv[0]));
    HelpViewer viewer(started.isAbsolute() ? started.absolutePath()
                                           : QApplication::applicationDirPath());
    viewer.resize(WindowSize());
    viewer.show();
    const bool opened = viewer.Open(topic);
    if (!dump) return QApplication::exec();

    QApplication::processEvents();
    QTextStream out(stdout);
    const QString anchor = viewer.Anchor();
    const bool anchorFound = anchor.isEmpty() || viewer.HasAnchor(anchor);
    out << "file: " << viewer.FilePath() << '\n'
        << "anchor: " << anchor << '\n'
        << "anchor-found: " << (anchorFound ? "yes" : "no") << '\n'
        << "anchor-position: " << (anchor.isEmpty() ? 0 : viewer.AnchorPosition(anchor)) << '\n'
        << "scroll: " << viewer.Browser()->verticalScrollBar()->value() << '\n'
        << "scroll-maximum: " << viewer.Browser()->verticalScrollBar()->maximum() << '\n'
        << "title: " << viewer.windowTitle() << '\n';
    out.flush();
    return opened && anchorFound ? EXIT_SUCCESS : EXIT_FAILURE;
}

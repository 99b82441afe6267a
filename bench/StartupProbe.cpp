// One start of the game, of a bare Qt window of the same size, or of that window with one
// line of text on it, timed from the moment the launcher started this process to the end of
// the first paint of the card field (of the bare window; of the line of text). Prints
// "<microseconds> <resident kB>" and ends the process right there.
// Run by startup_bench, never by itself:
//   startup_probe game|bare|text T0_NANOSECONDS WIDTH HEIGHT
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "game/settings/Options.h"
#include "game/settings/Statistics.h"
#include "game/shell/Application.h"
#include "game/view/CardField.h"
#include "game/view/CardImageLibrary.h"
#include "platform/gui/DeviceScreen.h"

namespace {

long long NowNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) return std::atol(line.c_str() + 6);
    }
    return 0;
}

// Lets the first paint of a watched widget run, then reports and ends the process.
class FirstPaint : public QObject {
  public:
    enum class Mode { kGame, kBare, kText };

    FirstPaint(long long start, Mode mode) : start_(start), mode_(mode) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
        bool watchedOne = false;
        switch (mode_) {
            case Mode::kGame:
                watchedOne = dynamic_cast<CardField*>(watched) != nullptr;
                break;
            case Mode::kBare:
                watchedOne = watched->parent() == nullptr;
                break;
            case Mode::kText:
                watchedOne = dynamic_cast<QLabel*>(watched) != nullptr;
                break;
        }
        if (!watchedOne) return false;
        watched->event(event);  // the paint itself, to its end
        std::printf("%lld %ld\n", (NowNanoseconds() - start_) / 1000, ResidentKilobytes());
        std::fflush(stdout);
        _exit(0);
    }

  private:
    long long start_;
    Mode mode_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) return 2;
    const std::string mode = argv[1];
    const long long start = std::atoll(argv[2]);
    const QSize size(std::atoi(argv[3]), std::atoi(argv[4]));
    int qtArgc = 1;
    FirstPaint watch(start, mode == "game"   ? FirstPaint::Mode::kGame
                            : mode == "text" ? FirstPaint::Mode::kText
                                             : FirstPaint::Mode::kBare);
    if (mode != "game") {
        QApplication app(qtArgc, argv);
        app.installEventFilter(&watch);
        QWidget window;
        window.resize(size);
        // The price of drawing any text at all: the font system's first use.
        if (mode == "text") new QLabel(QStringLiteral("Korvel Tessamo"), &window);
        window.show();
        return app.exec();
    }
    // As main() of the game does it.
    Application app(qtArgc, argv);
    app.installEventFilter(&watch);
    platform::gui::DeviceScreen screen(size);
    return app.Run(screen);
}

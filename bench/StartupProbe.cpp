// One start of the game, or of a bare Qt window of the same size, timed from the moment the
// launcher started this process to the end of the first paint of the card field (or of the
// bare window). Prints "<microseconds> <resident kB>" and ends the process right there.
// Run by startup_bench, never by itself:
//   startup_probe game|bare T0_NANOSECONDS WIDTH HEIGHT
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
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
    FirstPaint(long long start, bool game) : start_(start), game_(game) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
        const bool board = dynamic_cast<CardField*>(watched) != nullptr;
        if (game_ ? !board : watched->parent() != nullptr) return false;
        watched->event(event);  // the paint itself, to its end
        std::printf("%lld %ld\n", (NowNanoseconds() - start_) / 1000, ResidentKilobytes());
        std::fflush(stdout);
        _exit(0);
    }

  private:
    long long start_;
    bool game_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) return 2;
    const bool game = std::string(argv[1]) == "game";
    const long long start = std::atoll(argv[2]);
    const QSize size(std::atoi(argv[3]), std::atoi(argv[4]));
    int qtArgc = 1;
    FirstPaint watch(start, game);
    if (!game) {
        QApplication app(qtArgc, argv);
        app.installEventFilter(&watch);
        QWidget window;
        window.resize(size);
        window.show();
        return app.exec();
    }
    // As main() of the game does it.
    Application app(qtArgc, argv);
    app.installEventFilter(&watch);
    platform::gui::DeviceScreen screen(size);
    return app.Run(screen);
}

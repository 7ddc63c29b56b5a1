// The window's costs: one step of a card flight in each card size, and the
// cold start up to the intro's first frame.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "atomic_file.h"
#include "main_window.h"
#include "player_list.h"
#include "sprite.h"

namespace {

using namespace zarnet;

// One flight step: the old place restored from the clean buffer, the sprite
// composed at the new one, and the rectangle copied to the window buffer.
void BM_FlightStep(benchmark::State& state) {
  const double scale = state.range(0) == 1 ? 1.0 : 2.0;
  CardArt art(std::make_unique<ResourceSource>(QString()));
  art.Notice = [](const QStringList&) {};
  art.Scale = scale;
  art.SmallWindow = scale == 1.0;
  art.UpdateCardSize();
  art.LoadFaceDesign();
  art.LoadBackSet();
  const QSize size(Whole(760 * scale), Whole(500 * scale));
  QImage window(size, QImage::Format_RGB32);
  window.fill(Qt::darkGreen);
  QImage screen(size, QImage::Format_RGB32);
  CardFlight flight(art, {});
  flight.SetWindow({nullptr,
                    [&](const QImage& work, const QRect& r) {
                      QPainter p(&screen);
                      p.setCompositionMode(QPainter::CompositionMode_Source);
                      p.drawImage(r.topLeft(), work, r);
                    },
                    nullptr});
  flight.Prepare(window, CardCode{'5', '\xEA'}, 10, 10);
  int x = 10;
  for (auto _ : state) {
    x = x >= size.width() - 200 ? 10 : x + 1;
    flight.MoveSprite(x, 100);
  }
  state.SetLabel(scale == 1.0 ? "small window" : "large window");
}
BENCHMARK(BM_FlightStep)->Arg(1)->Arg(5)->Unit(benchmark::kMicrosecond);

// From nothing to the intro's first frame: the window, the settings, the art.
void BM_ColdStartToIntro(benchmark::State& state) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  ReplaceFile(folder + "/" + kClubListName, InstallationList());
  ReplaceFile(folder + "/" + kNetListName, InstallationList());
  for (auto _ : state) {
    TForm1 form(folder);
    form.show();
    form.RunStartUp();
    benchmark::DoNotOptimize(form.IntroFrame.isNull());
  }
}
BENCHMARK(BM_ColdStartToIntro)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QElapsedTimer sinceStart;
  sinceStart.start();
  QApplication app(argc, argv);
  std::printf("QApplication ready after %lld ms\n", static_cast<long long>(sinceStart.elapsed()));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}

// The window's speed and memory, drawn by Qt Quick's software renderer on the offscreen
// platform, with the client on its own thread on the real clock (as the window ships) against
// an in-process fake middleware on loopback:
// - StartToFirstHomeScreen: from nothing (a context, the window's QML, the launch) to the first
//   drawn home screen;
// - RedrawAfterLoadMore: the frame in which a load-more brings the result list from 180 to 200
//   rows (the model's update and a whole drawing of the window);
// - ScrollFrameOf200Rows: one wheel step over the 200-row list and its drawing;
// - Yardstick: drawing the unchanged window once, the least any frame costs.
// The second run also reports the resident memory before the search and with 200 rows whose
// pictures have all been drawn (counters in MiB).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QQuickItem>
#include <QSignalSpy>
#include <QWheelEvent>
#include <chrono>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>

#include "ClientHost.hpp"
#include "KeldaWindow.hpp"
#include "support/FakeMiddleware.hpp"
#include "support/TempDirectory.hpp"

namespace {

using kelda::qt::ClientHost;
using kelda::qt::FramePtr;
using kelda::qt::KeldaWindow;
using Clock = std::chrono::steady_clock;

constexpr int kPageSize = 20;
constexpr int kPages = 10;

// The application object lives in main(), so that it is gone before the program's static
// objects are destroyed (Qt's input devices must not outlive it).
QGuiApplication& application() {
  return *static_cast<QGuiApplication*>(QGuiApplication::instance());
}

double residentMiB() {
  std::ifstream statm("/proc/self/statm");
  long long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
         (1024.0 * 1024.0);
}

std::string productPicture(int id) {
  QImage image(180, 180, QImage::Format_RGB32);
  image.fill(QColor::fromHsv((id * 37) % 360, 160, 220));
  QPainter painter(&image);
  painter.drawText(image.rect(), Qt::AlignCenter, QString::number(id));
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

// Page `page` (from 0) of a 200-product search, each product with its own picture.
std::string pageJson(const kelda::test::FakeMiddleware& server, int page) {
  std::string data;
  for (int i = 0; i < kPageSize; ++i) {
    const std::string id = std::to_string(page * kPageSize + i + 1000);
    if (!data.empty()) data += ",";
    data += R"({"prodId":")" + id + R"(","prodDesc":"Sleeveless jersey dress number )" + id +
            R"(","oldPrice":"59.00","newPrice":"39.99","priceTypeFlag":"ORG-NOW",)"
            R"("overallRating":"4.5","moreColor":"1","findInStoreFlag":"1","available":"1",)"
            R"("imageSource":")" +
            server.url("/images/" + id + ".png") + R"("})";
  }
  return R"({"data":[)" + data + R"(],"extra":[{"totalCount":")" +
         std::to_string(kPageSize * kPages) + R"(","pageLimit":"20","pageNumber":")" +
         std::to_string(page + 1) + R"("}],"refinementParams":["BRAND"]})";
}

// The window over a client launched against the fake middleware (not the first launch, so no
// prompt), recording every frame the client sends.
class Session {
 public:
  Session() {
    server_.answer("/coremetrics_url", R"({"data":")" + server_.url("/tag?ci=1") + R"("})");
    server_.answer("/tag", "{}");
    kelda::test::FakeAnswer picture;
    picture.body = productPicture(7);
    picture.contentType = "image/png";
    server_.setDefaultAnswer(picture);
    kelda::platform::Options options = kelda::platform::Options::defaults();
    options.middleware = options.ctrAddress = options.webHost = options.mapsHost =
        server_.address();
    options.home = home_.path();
    std::ofstream(home_.path() / "launch.plist") << "launched";
    if (const char* resources = std::getenv("KELDA_RESOURCES")) options.resources = resources;
    host_ = std::make_unique<ClientHost>(options, ClientHost::Drive::OwnThread);
    window_ = std::make_unique<KeldaWindow>(*host_, options.resources,
                                            KeldaWindow::Settings{false, false});
    window_->view().show();
  }
  ~Session() {
    window_.reset();
    host_.reset();
  }

  kelda::test::FakeMiddleware& server() { return server_; }
  KeldaWindow& window() { return *window_; }

  void start() {
    auto sink = window_->frameSink();
    host_->start([this, sink](FramePtr frame) {
      {
        std::lock_guard lock(mutex_);
        frames_.push_back(frame);
      }
      sink(std::move(frame));
    });
    settle();
  }
  void act(ClientHost::Action action) {
    host_->act(std::move(action));
    settle();
  }
  // Until the client carried out every action, settled, and the window drew it.
  void settle() {
    auto& model = window_->model();
    while (model.actionsDone() < host_->actionsSent() || !model.settled()) {
      QSignalSpy shown(&model, &kelda::qt::ScreenModel::frameApplied);
      shown.wait(1000);
    }
    window_->grab();
  }
  std::vector<FramePtr> frames() {
    std::lock_guard lock(mutex_);
    return frames_;
  }
  // A 200-row result list: a search, then load-mores.
  void loadTwoHundredRows() {
    server_.answer("/results_search", pageJson(server_, 0));
    act([](kelda::ui::Actor& actor) { return actor.search("dress"); });
    for (int page = 1; page < kPages; ++page) {
      server_.answer("/results_search", pageJson(server_, page));
      act([](kelda::ui::Actor& actor) { return actor.tap("button.loadMore"); });
    }
  }
  void wheel(int notches) {
    QQuickItem* list = window_->view().rootObject()->findChild<QQuickItem*>("screenList");
    const QPointF at = list->mapToScene(QPointF(list->width() / 2, list->height() / 2));
    const QPoint pixels(0, -notches * 120);
    QWheelEvent event(at, at, pixels, pixels, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QCoreApplication::sendEvent(&window_->view(), &event);
  }

 private:
  kelda::test::FakeMiddleware server_;
  kelda::test::TempDirectory home_;
  std::unique_ptr<ClientHost> host_;
  std::unique_ptr<KeldaWindow> window_;
  std::mutex mutex_;
  std::vector<FramePtr> frames_;
};

// Rows of the first table in `node` (depth first); -1 when there is none.
int tableRows(const kelda::json::Value& node) {
  if (node.contains("sections")) {
    int rows = 0;
    for (kelda::json::Value section : node["sections"].items()) {
      rows += static_cast<int>(section["rows"].size());
    }
    return rows;
  }
  for (kelda::json::Value child : node["children"].items()) {
    if (const int rows = tableRows(child); rows >= 0) return rows;
  }
  return -1;
}

// The rows of the result list a frame shows.
int productRows(const FramePtr& frame) {
  return tableRows(frame->tree["screen"]);
}

void StartToFirstHomeScreen(benchmark::State& state) {
  application();
  for (auto _ : state) {
    const auto began = Clock::now();
    Session session;
    session.start();
    const auto drawn = Clock::now();
    state.SetIterationTime(std::chrono::duration<double>(drawn - began).count());
    if (session.window().model().tabs().isEmpty()) state.SkipWithError("no home screen");
  }
}
BENCHMARK(StartToFirstHomeScreen)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// One session with 200 rows serves the list benchmarks (closed before the program ends).
std::unique_ptr<Session>& listSessionHolder() {
  static std::unique_ptr<Session> session;
  return session;
}

Session& listSession() {
  auto& session = listSessionHolder();
  if (!session) {
    application();
    session = std::make_unique<Session>();
    session->start();
    session->loadTwoHundredRows();
  }
  return *session;
}

void RedrawAfterLoadMore(benchmark::State& state) {
  Session& session = listSession();
  const std::vector<FramePtr> frames = session.frames();
  FramePtr before, after;
  for (const FramePtr& frame : frames) {
    const int rows = productRows(frame);
    // The last frame of the list before the last page (a settled one need not be sent when
    // the page's pictures were all in the cache already).
    if (rows == kPageSize * (kPages - 1)) before = frame;
    if (rows == kPageSize * kPages && !after) after = frame;
  }
  if (!before || !after) {
    state.SkipWithError("the load-more frames were not recorded");
    return;
  }
  auto& model = session.window().model();
  for (auto _ : state) {
    model.apply(*before);
    session.wheel(1000);  // at the end of the list, where the load-more button was
    session.window().grab();
    const auto began = Clock::now();
    model.apply(*after);
    session.window().grab();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - began).count());
  }
  model.apply(*frames.back());
}
BENCHMARK(RedrawAfterLoadMore)->UseManualTime()->Unit(benchmark::kMillisecond);

void ScrollFrameOf200Rows(benchmark::State& state) {
  Session& session = listSession();
  session.wheel(-100000);
  session.wheel(12);
  session.window().grab();
  int step = 0;
  for (auto _ : state) {
    session.wheel(++step % 40 < 20 ? 1 : -1);
    session.window().grab();
  }
}
BENCHMARK(ScrollFrameOf200Rows)->Unit(benchmark::kMillisecond);

void Yardstick(benchmark::State& state) {
  Session& session = listSession();
  for (auto _ : state) session.window().grab();
}
BENCHMARK(Yardstick)->Unit(benchmark::kMillisecond);

void ResidentMemoryWith200Rows(benchmark::State& state) {
  application();
  double before = 0, with = 0;
  for (auto _ : state) {
    Session session;
    session.start();
    before = residentMiB();
    session.loadTwoHundredRows();
    // Every row is drawn once, so every picture has been decoded for the list.
    session.wheel(-100000);
    for (int n = 0; n < 200; ++n) {
      session.wheel(2);
      session.window().grab();
    }
    with = residentMiB();
  }
  state.counters["rss_before_search_MiB"] = before;
  state.counters["rss_200_rows_MiB"] = with;
}
BENCHMARK(ResidentMemoryWith200Rows)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  int qtArgc = 3;
  char program[] = "kelda-bench-window";
  char flag[] = "-platform";
  char platform[] = "offscreen";
  char* qtArgv[] = {program, flag, platform, nullptr};
  QGuiApplication app(qtArgc, qtArgv);
  benchmark::RunSpecifiedBenchmarks();
  listSessionHolder().reset();
  benchmark::Shutdown();
  return 0;
}

// Building layout documents and repainting control trees headless.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "ui/FactoryRegistry.h"
#include "ui/LayoutBuilder.h"
#include "ui/ResLoaderMgr.h"
#include "ui/ResPack.h"
#include "ui/UIHeadlessHost.h"

namespace {

// A 647 x 552 window with 10 rows of 20 cells: 200 controls with fills,
// rounded borders and short texts, arranged by row and column layouts.
std::string TwoHundredControls() {
  std::string doc = R"(<UIWnd width="647" height="552" layout="vert" back="clr:clr=#fff4f6f9">)";
  for (int row = 0; row < 10; ++row) {
    doc += R"(<UIControl height="55" layout="horz" padding="2,2,2,2">)";
    for (int col = 0; col < 19; ++col) {
      doc += R"(<UIControl adj="1" back="txt:font=13|horz=1|vert=1|clr=#ff1f2329" txt=")" +
             std::to_string(col + 1) + R"(日"/>)";
    }
    doc += "</UIControl>";
  }
  doc += "</UIWnd>";
  return doc;
}

class Fixture {
 public:
  Fixture() : loader_(vr::respack::Write({{"xml\\bench.xml", Bytes(TwoHundredControls())}})) {
    vr::RegisterBuiltinFactories();
    vr::SetResLoader(&loader_);
  }
  ~Fixture() { vr::SetResLoader(nullptr); }

 private:
  static std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }
  vr::ResLoaderMgr loader_;
};

void BM_BuildDocument200(benchmark::State& state) {
  Fixture fixture;
  auto host = vr::UIHeadlessHost::Create(647, 552);
  for (auto _ : state) {
    vr::UIControl* root = vr::BuildFromDocument(vr::UIBuilder{host.get()}, host.get(), "xml\\bench.xml");
    benchmark::DoNotOptimize(root);
    root->RemoveSelf();
  }
}
BENCHMARK(BM_BuildDocument200)->Unit(benchmark::kMillisecond);

void BM_FullRepaint647x552(benchmark::State& state) {
  Fixture fixture;
  auto host = vr::UIHeadlessHost::Create(10, 10);
  host->LoadDocument("xml\\bench.xml");
  host->RenderAll();  // first render pays for fontconfig start-up
  for (auto _ : state) host->RenderAll();
  // Dark text pixels of the last frame: shows the texts were really drawn.
  int ink = 0;
  for (int y = 0; y < host->Height(); ++y) {
    for (int x = 0; x < host->Width(); ++x) ink += (host->PixelAt(x, y) & 0xFF) < 0x80;
  }
  state.counters["ink_px"] = ink;
}
BENCHMARK(BM_FullRepaint647x552)->Unit(benchmark::kMillisecond);

}  // namespace

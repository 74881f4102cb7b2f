#include "ControlsTestSupport.h"

namespace vr::controls_test {

namespace {

std::vector<uint8_t> ToPng(cairo_surface_t* s) {
  std::vector<uint8_t> out;
  cairo_surface_write_to_png_stream(
      s,
      [](void* closure, const unsigned char* data, unsigned int length) {
        auto* v = static_cast<std::vector<uint8_t>*>(closure);
        v->insert(v->end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
      },
      &out);
  return out;
}

void Fill(cairo_t* cr, int x, int y, int w, int h, uint32_t argb) {
  cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0, (argb & 0xFF) / 255.0,
                        ((argb >> 24) & 0xFF) / 255.0);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
}

// LSB-first bit packing of LZW codes.
class BitWriter {
 public:
  void Put(unsigned code, int bits) {
    for (int i = 0; i < bits; ++i) {
      if (used_ == 0) bytes_.push_back(0);
      if (code & (1u << i)) bytes_.back() |= static_cast<uint8_t>(1u << used_);
      used_ = (used_ + 1) % 8;
    }
  }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
  int used_ = 0;
};

void Put16(std::vector<uint8_t>& v, int n) {
  v.push_back(static_cast<uint8_t>(n & 0xFF));
  v.push_back(static_cast<uint8_t>((n >> 8) & 0xFF));
}

}  // namespace

std::vector<uint8_t> StripPng(int w, int h, const std::vector<uint32_t>& colours, bool stacked) {
  const int n = static_cast<int>(colours.size());
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, stacked ? w : w * n, stacked ? h * n : h);
  cairo_t* cr = cairo_create(s);
  for (int i = 0; i < n; ++i) Fill(cr, stacked ? 0 : i * w, stacked ? i * h : 0, w, h, colours[i]);
  cairo_destroy(cr);
  auto png = ToPng(s);
  cairo_surface_destroy(s);
  return png;
}

std::vector<uint8_t> SolidPng(int w, int h, uint32_t colour) { return StripPng(w, h, {colour}); }

std::vector<uint8_t> AnimatedGif(int w, int h, const std::vector<int>& colourIndexes, int delayCs) {
  std::vector<uint8_t> g = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(g, w);
  Put16(g, h);
  g.insert(g.end(), {0x81, 0, 0});  // global table of 4 colours
  g.insert(g.end(), {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
  // Loop forever.
  g.insert(g.end(), {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 0x03, 0x01, 0, 0, 0});
  for (int colour : colourIndexes) {
    g.insert(g.end(), {0x21, 0xF9, 0x04, 0x00});
    Put16(g, delayCs);
    g.insert(g.end(), {0x00, 0x00});
    g.push_back(0x2C);
    Put16(g, 0);
    Put16(g, 0);
    Put16(g, w);
    Put16(g, h);
    g.push_back(0x00);
    g.push_back(0x02);  // LZW minimum code size: 3-bit codes, clear 4, end 5
    // A clear code before every second pixel keeps the code width at 3 bits.
    BitWriter bits;
    for (int i = 0; i < w * h; ++i) {
      if (i % 2 == 0) bits.Put(4, 3);
      bits.Put(static_cast<unsigned>(colour), 3);
    }
    bits.Put(5, 3);
    const auto& data = bits.Bytes();
    for (size_t at = 0; at < data.size(); at += 255) {
      const size_t n = std::min<size_t>(255, data.size() - at);
      g.push_back(static_cast<uint8_t>(n));
      g.insert(g.end(), data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + n));
    }
    g.push_back(0x00);
  }
  g.push_back(0x3B);
  return g;
}

std::vector<respack::Entry> TestPack() {
  const std::vector<uint32_t> looks(std::begin(kLooks), std::end(kLooks));
  const std::vector<uint32_t> checked(std::begin(kCheckedLooks), std::end(kCheckedLooks));
  return {
      {"img\\strip96.png", StripPng(24, 20, looks)},
      {"img\\vstrip.png", StripPng(20, 10, looks, true)},
      {"img\\ck.png", StripPng(20, 20, checked)},
      {"img\\unck.png", StripPng(20, 20, looks)},
      {"img\\thumb.png", StripPng(20, 16, looks)},
      {"img\\red.png", SolidPng(8, 8, kRed)},
      {"img\\green.png", SolidPng(8, 8, kGreen)},
      {"img\\blue.png", SolidPng(8, 8, kBlue)},
      {"img\\f0.png", SolidPng(10, 10, kLooks[0])},
      {"img\\f1.png", SolidPng(10, 10, kLooks[1])},
      {"img\\f2.png", SolidPng(10, 10, kLooks[2])},
      {"img\\f3.png", SolidPng(10, 10, kLooks[3])},
      {"img\\anim.gif", AnimatedGif(12, 12, {1, 2, 3, 1}, 5)},
  };
}

void ControlFixture::SetUp() {
  loader_ = std::make_unique<ResLoaderMgr>(respack::Write(TestPack()));
  SetResLoader(loader_.get());
  host_ = UIHeadlessHost::Create(300, 200);
}

void ControlFixture::TearDown() {
  host_.reset();
  SetResLoader(nullptr);
}

std::vector<std::string> ControlFixture::EventNames() const {
  std::vector<std::string> names;
  for (const UIEvent& e : host_->Events()) names.push_back(e.name);
  return names;
}

int ControlFixture::CountEvents(const std::string& name) const {
  int n = 0;
  for (const UIEvent& e : host_->Events()) n += e.name == name ? 1 : 0;
  return n;
}

}  // namespace vr::controls_test

#include "ui/UIResLoader.h"

#include <atomic>

namespace vr {

namespace {
std::atomic<UIResLoader*> gLoader{nullptr};
}  // namespace

UIResLoader* GetResLoader() { return gLoader.load(); }
void SetResLoader(UIResLoader* loader) { gLoader.store(loader); }

}  // namespace vr

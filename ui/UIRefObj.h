#pragma once
#include <atomic>
#include <cstdint>

namespace vr {

// Base of every reference-counted framework object (controls, layouts,
// renderers). The count starts at 1: the creator owns the first reference and
// hands it over (to a parent, an attribute) or drops it with Release().
class UIRefObj {
 public:
  UIRefObj() = default;
  UIRefObj(const UIRefObj&) = delete;
  UIRefObj& operator=(const UIRefObj&) = delete;

  void AddRef() { refs_.fetch_add(1, std::memory_order_relaxed); }
  // Deletes the object through DeleteThis() when the last reference goes.
  void Release() {
    if (refs_.fetch_sub(1, std::memory_order_acq_rel) == 1) DeleteThis();
  }
  int32_t RefCount() const { return refs_.load(std::memory_order_relaxed); }

 protected:
  virtual ~UIRefObj() = default;
  virtual void DeleteThis() { delete this; }

 private:
  std::atomic<int32_t> refs_{1};
};

// Holds one reference for the lifetime of a scope.
template <typename T>
class UIRefHold {
 public:
  explicit UIRefHold(T* obj) : obj_(obj) {
    if (obj_) obj_->AddRef();
  }
  ~UIRefHold() {
    if (obj_) obj_->Release();
  }
  UIRefHold(const UIRefHold&) = delete;
  UIRefHold& operator=(const UIRefHold&) = delete;
  T* get() const { return obj_; }

 private:
  T* obj_;
};

// Owns exactly one reference; for tests and code that creates detached trees.
template <typename T>
class UIRefPtr {
 public:
  UIRefPtr() = default;
  // Adopts the caller's reference.
  explicit UIRefPtr(T* adopted) : obj_(adopted) {}
  ~UIRefPtr() { reset(); }
  UIRefPtr(UIRefPtr&& o) noexcept : obj_(o.obj_) { o.obj_ = nullptr; }
  UIRefPtr& operator=(UIRefPtr&& o) noexcept {
    if (this != &o) {
      reset();
      obj_ = o.obj_;
      o.obj_ = nullptr;
    }
    return *this;
  }
  UIRefPtr(const UIRefPtr&) = delete;
  UIRefPtr& operator=(const UIRefPtr&) = delete;

  void reset(T* adopted = nullptr) {
    if (obj_) obj_->Release();
    obj_ = adopted;
  }
  T* release() {
    T* o = obj_;
    obj_ = nullptr;
    return o;
  }
  T* get() const { return obj_; }
  T* operator->() const { return obj_; }
  T& operator*() const { return *obj_; }
  explicit operator bool() const { return obj_ != nullptr; }

 private:
  T* obj_ = nullptr;
};

}  // namespace vr

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/TimeService.h"

namespace vr {
namespace {

// Records every call, hooks included, as one line each, in order.
class Recorder final : public TimeSvrDel {
 public:
  explicit Recorder(std::vector<std::string>& log, std::string name) : log_(log), name_(name) {}
  void OnSecond(const TimeRecord& t) override { log_.push_back(name_ + " second " + Text(t)); }
  void OnNewDay(const TimeRecord& t) override { log_.push_back(name_ + " day " + Text(t)); }
  static std::string Text(const TimeRecord& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return buf;
  }

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

struct Fixture {
  explicit Fixture(const TimeRecord& start) : clock(start), service(clock), a(log, "a"), b(log, "b") {
    service.AddTimeObserver(&a);
    service.AddTimeObserver(&b);
    service.SetSecondHook([this](const TimeRecord& t) { log.push_back("remind " + Recorder::Text(t)); });
    service.SetNewDayHook([this](const TimeRecord& t) { log.push_back("rebuild " + Recorder::Text(t)); });
  }
  ManualClock clock;
  TimeService service;
  std::vector<std::string> log;
  Recorder a, b;
};

TEST(TimeService, SameSecond_TicksSilently) {
  Fixture f(MakeTimeRecord(2024, 5, 1, 10, 0, 0, 0));
  f.clock.Advance(900);
  f.service.Tick();
  EXPECT_TRUE(f.log.empty());
}

TEST(TimeService, NewSecond_ObserversInOrderThenReminders) {
  Fixture f(MakeTimeRecord(2024, 5, 1, 10, 0, 0, 950));
  f.clock.Advance(100);
  f.service.Tick();
  f.service.Tick();  // still the same second
  EXPECT_EQ(f.log, (std::vector<std::string>{"a second 2024-05-01 10:00:01",
                                             "b second 2024-05-01 10:00:01",
                                             "remind 2024-05-01 10:00:01"}));
}

TEST(TimeService, Midnight_SecondFirstThenNewDayInTheSameTick) {
  Fixture f(MakeTimeRecord(2024, 12, 31, 23, 59, 59, 950));
  f.clock.Advance(100);
  f.service.Tick();
  EXPECT_EQ(f.log, (std::vector<std::string>{
                       "a second 2025-01-01 00:00:00", "b second 2025-01-01 00:00:00",
                       "remind 2025-01-01 00:00:00", "rebuild 2025-01-01 00:00:00",
                       "a day 2025-01-01 00:00:00", "b day 2025-01-01 00:00:00"}));
}

TEST(TimeService, ClockSetBack_EarlierSecondAndEarlierDate) {
  Fixture f(MakeTimeRecord(2024, 6, 10, 12, 0, 30, 0));
  f.clock.Set(MakeTimeRecord(2024, 6, 10, 12, 0, 10, 0));
  f.service.Tick();
  ASSERT_EQ(f.log.size(), 3u);
  EXPECT_EQ(f.log[0], "a second 2024-06-10 12:00:10");

  f.log.clear();
  f.clock.Set(MakeTimeRecord(2024, 6, 9, 12, 0, 10, 0));  // same second, other date
  f.service.Tick();
  EXPECT_EQ(f.log, (std::vector<std::string>{
                       "a second 2024-06-09 12:00:10", "b second 2024-06-09 12:00:10",
                       "remind 2024-06-09 12:00:10", "rebuild 2024-06-09 12:00:10",
                       "a day 2024-06-09 12:00:10", "b day 2024-06-09 12:00:10"}));
}

TEST(TimeService, FirstTickAfterStart_RaisesNoNewDay) {
  Fixture f(MakeTimeRecord(2024, 6, 10, 23, 59, 59, 0));
  f.clock.Advance(500);
  f.service.Tick();
  EXPECT_TRUE(f.log.empty());
}

}  // namespace
}  // namespace vr

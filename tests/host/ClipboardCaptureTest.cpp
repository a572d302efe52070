// The capture against a scripted clipboard. Another program empties, writes, closes, holds and replaces
// it between any two of the capture's calls, each copy announced once, twice or three times, and the
// program's own Copy comes at any moment between the first copy and the last. Every such interleaving
// of two and of three copies is walked, one schedule after another, depth first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "clips/ClipboardCapture.h"

namespace {

// A copy is its copier and how many notifications it brings (the chain's, the listener's, one more
// relayed by a viewer ahead). The copier: Quick; Slow, in two writes; Holding, the clipboard opened
// again after it; Replacing, opened again at once and its copy replaced before it lets go; or X11,
// as Wine brings an X11 program's copy in (put anew when it is read). Its steps: Empty, Write,
// Close, Hold, Reopen at once and Let go. Only a copier's last write is its copy.
struct Copy {
    char copier;
    int notifications;
};
const char* StepsOf(char copier) {
    return copier == 'S' ? "EWWC" : copier == 'H' ? "EWCHL" : copier == 'R' ? "EWRWL" : "EWC";
}
std::u16string TextOf(std::size_t copy) { return u"copy " + std::u16string(1, static_cast<char16_t>(u'1' + copy)); }

// The choices of one walk, replayed, and then taken anew from the last one with another option left.
class Schedule {
public:
    int Choose(int options) {
        if (options == 1) return 0;
        if (m_next == m_taken.size()) m_taken.push_back(0), m_options.push_back(options);
        return m_taken[m_next++];
    }
    bool Next() {
        m_next = 0;
        while (!m_taken.empty() && m_taken.back() + 1 == m_options.back()) m_taken.pop_back(), m_options.pop_back();
        return !m_taken.empty() && ++m_taken.back();
    }

private:
    std::vector<int> m_taken, m_options;
    std::size_t m_next = 0;
};

// The clipboard as Wine keeps it, with the other program, whose steps change it under the program's
// calls (so they are const to the port), and what the program took.
struct World final : ClipboardPort {
    World(const std::vector<Copy>& plan, Schedule& schedule, std::string* trace)
        : copies(plan), schedule(schedule), trace(trace) {}

    std::uint32_t SequenceNumber() const noexcept override { return Between(), sequence; }
    bool Open(const ClipboardPatience& patience) override {
        for (int attempt = patience.limitMs ? 3 : 1; attempt > 0; --attempt)
            if (Between(), !held) return held = programHolds = true;
        return Log("held"), false;
    }
    std::optional<std::u16string> ReadText() override {
        if (std::exchange(unrenderedX11, false)) ++sequence, announceOnClose = true;
        return text;
    }
    bool WriteText(const std::u16string& written) override {
        sequence += 2, text = written, unrenderedX11 = false;
        return ownText = wrote = true;
    }
    void Close() noexcept override { held = programHolds = false, Closed(2); }
    bool HoldsOwnText() const noexcept override { return Between(), ownText; }

    // A close after a change announces it; after a write Wine raises the number once more, as it
    // adds the formats it makes of the text.
    void Closed(int notifications) const {
        if (std::exchange(wrote, false)) sequence += 2, queued += notifications;
        if (std::exchange(announceOnClose, false)) queued += notifications;
    }
    // Its next copy only once the program lists the last one, as copying as fast as it answers.
    bool OtherCanAct() const {
        if (copy == copies.size()) return false;
        const char next = StepsOf(copies[copy].copier)[step];
        return next == 'E' ? !held && (copy == 0 || Took(copy - 1)) : next != 'H' || !held;
    }
    void OtherActs() const {
        const char* const steps = StepsOf(copies[copy].copier);
        const char now = steps[step];
        Log(now, static_cast<char>('1' + copy));
        if (now == 'E') held = true, ++sequence, text.reset(), ownText = false;
        if (now == 'W') ++sequence, wrote = true, unrenderedX11 = copies[copy].copier == 'X';
        if (now == 'W') text = std::strchr(steps + step + 1, 'W') ? u"draft" : TextOf(copy);
        if (now == 'C' || now == 'R') ++closed;
        if (now == 'C' || now == 'L') held = false;
        if (now == 'C' || now == 'R' || now == 'L') Closed(copies[copy].notifications);
        if (now == 'H') held = true;
        if (steps[++step] == '\0') ++copy, step = 0;
    }
    // Before each of the program's calls the other program takes as many steps as the schedule says;
    // before the first call of a message it had its chance while the program waited for the message.
    void Between() const {
        if (!std::exchange(firstCall, false) && !programHolds)
            while (OtherCanAct() && schedule.Choose(2) == 1) OtherActs();
    }
    bool Took(std::size_t copied) const { return std::count(taken.begin(), taken.end(), TextOf(copied)) > 0; }
    template <typename... Parts>
    void Log(const Parts&... parts) const {
        if (trace) ((*trace += parts), ...), *trace += ' ';
    }

    const std::vector<Copy>& copies;
    Schedule& schedule;
    std::string* const trace;  // what the walk did, when it is to be shown
    std::vector<std::u16string> taken;
    mutable std::uint32_t sequence = 100;
    mutable std::optional<std::u16string> text = u"before the start";
    mutable bool held = false, programHolds = false, unrenderedX11 = false, announceOnClose = false, wrote = false,
                 ownText = false, firstCall = false;
    mutable int queued = 0;
    mutable std::size_t copy = 0, step = 0, closed = 0;
};

// One walk: the program handles its messages one at a time. Whenever it waits for the next one, a
// Notification may be handled, the user may press Copy (between the first copy and the last) or the
// Other program may act; the retry Timer ticks when nothing else can happen.
std::vector<std::u16string> Walk(const std::vector<Copy>& plan, Schedule& schedule, std::string* trace = nullptr) {
    World world(plan, schedule, trace);
    ClipboardCapture capture(world, [&](const std::u16string& text) { world.taken.push_back(text); });
    world.firstCall = true;
    capture.PassOverCurrent();
    bool copied = plan.size() > 2;
    for (std::uint32_t events = 0, nowMs = 0; events < 400; ++events) {
        std::string next;
        if (world.queued > 0) next += 'N';
        if (!copied && world.closed > 0 && world.closed < plan.size()) next += 'C';
        if (world.OtherCanAct()) next += 'O';
        if (next.empty() && capture.WaitingForClipboard()) next += 'T';
        if (next.empty()) break;
        const char event = next[schedule.Choose(static_cast<int>(next.size()))];
        world.firstCall = true, world.Log('\n', event, ':');
        if (event == 'N') --world.queued, capture.OnNotification(nowMs);
        if (event == 'C') copied = true, capture.Copy(u"the program's own copy");
        if (event == 'O') world.OtherActs();
        if (event == 'T') capture.OnTick(nowMs += 25);
    }
    return world.taken;
}

}  // namespace

// The plans of two copies have the program's own Copy too. A failing walk is shown as it went.
TEST(ClipboardCapture, EveryClosedCopyIsTakenOnceAndInOrderAndNeverTheProgramsOwnWhateverTheInterleaving) {
    std::vector<std::vector<Copy>> plans;
    for (const char first : {'Q', 'S', 'H', 'X'})
        for (const char second : {'Q', 'S', 'H', 'X'})
            for (const int announced : {1, 2, 3}) {
                for (const int then : {1, 2}) plans.push_back({{first, announced}, {second, then}});
                for (const char third : {'Q', 'H', 'X'})
                    if (announced < 3) plans.push_back({{first, announced}, {second, announced}, {third, announced}});
            }
    for (const int announced : {1, 2})  // a replaced copy, first and last
        for (const int then : {1, 2})
            plans.insert(plans.end(), {{{'R', announced}, {'Q', then}}, {{'Q', announced}, {'R', then}}});
    long walks = 0, failures = 0;
    for (const auto& plan : plans) {
        std::vector<std::u16string> expected;
        std::string named;
        for (const Copy& copy : plan)
            expected.push_back(TextOf(expected.size())),
                named += copy.copier + std::to_string(copy.notifications) + " ";
        Schedule schedule;
        do {
            ++walks;
            Schedule replay = schedule;
            if (Walk(plan, schedule) == expected || ++failures > 2) continue;
            std::string trace;
            Walk(plan, replay, &trace);
            ADD_FAILURE() << named << trace;
        } while (schedule.Next());
    }
    EXPECT_EQ(failures, 0) << "of " << walks << " walks";
}

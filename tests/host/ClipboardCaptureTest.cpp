// The capture against a scripted clipboard. Another program empties, writes, closes and holds it
// between any two of the capture's calls, each of its copies announced once, twice or three times,
// and the program's own Copy comes at any moment between the first copy and the last. Every such
// interleaving of two and of three copies is walked, one schedule after another, depth first.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "clips/ClipboardCapture.h"

namespace {

// How another program makes its copy: at once, in two writes, keeping the clipboard open a while
// after it, or as Wine brings an X11 program's copy in (put anew under a new number when read). Its
// steps: Empty, Write, Close, Hold (open again) and Let go.
enum class Copier { Quick, Slow, Holding, X11 };
const char* StepsOf(Copier copier) {
    return copier == Copier::Slow ? "EWWC" : copier == Copier::Holding ? "EWCHL" : "EWC";
}

struct Copy {
    Copier copier;
    int notifications;  // the chain's and the listener's, and one more relayed by a viewer ahead
};
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

// The clipboard as Wine keeps it, and the other program. The other program's steps change it under
// the program's calls, so they are const to the port.
class World final : public ClipboardPort {
public:
    World(const std::vector<Copy>& copies, Schedule& schedule) : m_copies(copies), m_schedule(schedule) {}

    std::uint32_t SequenceNumber() const noexcept override { return Between(), m_sequence; }
    bool Open(const ClipboardPatience& patience) override {
        for (int attempt = patience.limitMs ? 3 : 1; attempt > 0; --attempt)
            if (Between(), !m_held) return m_held = m_programHolds = true;
        return Log("held"), false;
    }
    std::optional<std::u16string> ReadText() override {
        if (std::exchange(m_unrenderedX11, false)) ++m_sequence, m_announceOnClose = true;
        return m_text;
    }
    bool WriteText(const std::u16string& text) override {
        m_sequence += 2, m_text = text, m_unrenderedX11 = false;
        return m_ownText = m_written = true;
    }
    void Close() noexcept override { m_held = m_programHolds = false, Closed(2); }
    bool HoldsOwnText() const noexcept override { return Between(), m_ownText; }

    // Its next copy only once the program lists the last one, as copying as fast as it answers.
    bool OtherCanAct() const {
        if (m_copy == m_copies.size()) return false;
        const char step = StepsOf(m_copies[m_copy].copier)[m_step];
        return step == 'E' ? !m_held && (m_copy == 0 || Took(m_copy - 1)) : step != 'H' || !m_held;
    }
    void OtherActs() const {
        const Copy& copy = m_copies[m_copy];
        const char step = StepsOf(copy.copier)[m_step];
        Log(step, static_cast<char>('1' + m_copy));
        if (step == 'E') m_held = true, ++m_sequence, m_text.reset(), m_ownText = false;
        if (step == 'W') ++m_sequence, m_text = TextOf(m_copy), m_unrenderedX11 = copy.copier == Copier::X11;
        if (step == 'C') m_written = true, ++m_closed, m_held = false, Closed(copy.notifications);
        if (step == 'H' || step == 'L') m_held = step == 'H';
        if (StepsOf(copy.copier)[++m_step] == '\0') ++m_copy, m_step = 0;
    }
    // Before each of the program's calls the other program takes as many steps as the schedule says;
    // before the first call of a message it had its chance while the program waited for the message.
    void Between() const {
        if (!std::exchange(m_firstCall, false) && !m_programHolds)
            while (OtherCanAct() && m_schedule.Choose(2) == 1) OtherActs();
    }
    void NextMessage(char event) const { m_firstCall = true, Log('\n', event, ':'); }
    bool Took(std::size_t copy) const { return std::count(taken.begin(), taken.end(), TextOf(copy)) > 0; }
    bool Announced() const { return m_queued > 0; }
    void TakeNotification() { --m_queued; }
    bool OwnCopyMayCome() const { return m_closed > 0 && m_closed < m_copies.size(); }

    std::vector<std::u16string> taken;
    std::string* trace = nullptr;  // what the walk did, when it is to be shown
    template <typename... Parts>
    void Log(const Parts&... parts) const {
        if (trace) ((*trace += parts), ...), *trace += ' ';
    }

private:
    // A close after a change announces it; after a write Wine raises the number once more, as it adds
    // the formats it makes of the text.
    void Closed(int notifications) const {
        if (std::exchange(m_written, false)) m_sequence += 2, m_queued += notifications;
        if (std::exchange(m_announceOnClose, false)) m_queued += notifications;
    }

    const std::vector<Copy>& m_copies;
    Schedule& m_schedule;
    mutable std::uint32_t m_sequence = 100;
    mutable std::optional<std::u16string> m_text = u"before the start";
    mutable bool m_held = false, m_programHolds = false, m_unrenderedX11 = false, m_announceOnClose = false;
    mutable bool m_written = false, m_ownText = false, m_firstCall = false;
    mutable int m_queued = 0;
    mutable std::size_t m_copy = 0, m_step = 0, m_closed = 0;
};

// One walk: the program handles its messages one at a time. Whenever it waits for the next one, the
// other program may act, the next notification may be handled or the user may press Copy; the retry
// timer ticks when nothing else can happen.
std::vector<std::u16string> Walk(const std::vector<Copy>& copies, Schedule& schedule, std::string* trace = nullptr) {
    World world(copies, schedule);
    world.trace = trace;
    ClipboardCapture capture(world, [&](const std::u16string& text) { world.taken.push_back(text); });
    world.NextMessage('S');
    capture.PassOverCurrent();
    bool copied = copies.size() > 2;
    std::uint32_t nowMs = 0;
    for (int events = 0; events < 400; ++events) {
        char next[3];
        int options = 0;
        if (world.Announced()) next[options++] = 'N';
        if (!copied && world.OwnCopyMayCome()) next[options++] = 'C';
        if (world.OtherCanAct()) next[options++] = 'O';
        if (options == 0 && capture.WaitingForClipboard()) next[options++] = 'T';
        if (options == 0) break;
        const char event = next[schedule.Choose(options)];
        world.NextMessage(event);
        if (event == 'N') world.TakeNotification(), capture.OnNotification(nowMs);
        if (event == 'C') copied = true, capture.Copy(u"the program's own copy");
        if (event == 'O') world.OtherActs();
        if (event == 'T') capture.OnTick(nowMs += 25);
    }
    return world.taken;
}

}  // namespace

// A plan names its copies (Quick, Slow, Holding, X11) and how many notifications each brings; the
// plans of two copies have the program's own Copy too. A failing walk is shown as it went: S start,
// N notification, C Copy, O the other program, T tick, and the other program's steps.
TEST(ClipboardCapture, EveryClosedCopyIsTakenOnceAndInOrderAndNeverTheProgramsOwnWhateverTheInterleaving) {
    constexpr Copier Quick = Copier::Quick, Slow = Copier::Slow, Holding = Copier::Holding, X11 = Copier::X11;
    std::vector<std::vector<Copy>> plans;
    for (const Copier first : {Quick, Slow, Holding, X11})
        for (const Copier second : {Quick, Slow, Holding, X11})
            for (const int announced : {1, 2, 3}) {
                for (const int then : {1, 2}) plans.push_back({{first, announced}, {second, then}});
                for (const Copier third : {Quick, Holding, X11})
                    if (announced < 3) plans.push_back({{first, announced}, {second, announced}, {third, announced}});
            }
    long walks = 0, failures = 0;
    for (const auto& plan : plans) {
        std::vector<std::u16string> expected;
        std::string named;
        for (const Copy& copy : plan)
            expected.push_back(TextOf(expected.size())),
                named += "QSHX"[static_cast<int>(copy.copier)] + std::to_string(copy.notifications) + " ";
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

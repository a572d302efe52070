// The capture against a scripted clipboard. Another program empties, writes, closes and holds it
// between any two of the capture's calls, each of its copies announced once, twice or three times,
// and the program's own Copy comes at any moment after the first copy. Every such interleaving of
// two and of three copies is walked, one schedule after another, depth first.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "clips/ClipboardCapture.h"

namespace {

// How another program makes its copy: at once, in several writes, keeping the clipboard open a
// while after it, or as Wine brings an X11 program's copy in (put anew when it is read).
enum class Copier { Quick, Slow, Holding, X11 };
enum class Step { Empty, Write, Close, Hold, LetGo };

const std::vector<Step>& StepsOf(Copier copier) {
    static const std::vector<Step> quick{Step::Empty, Step::Write, Step::Close},
        slow{Step::Empty, Step::Write, Step::Write, Step::Close},
        holding{Step::Empty, Step::Write, Step::Close, Step::Hold, Step::LetGo};
    return copier == Copier::Slow ? slow : copier == Copier::Holding ? holding : quick;
}

struct Copy {
    Copier copier;
    int notifications;  // the chain's and the listener's, and one more relayed by a viewer ahead
};

std::u16string TextOf(std::size_t copy) { return u"copy " + std::u16string(1, char16_t(u'1' + copy)); }

// The choices of one walk, replayed and then taken anew from the last one with another option left.
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

enum class Holder { Nobody, Program, Other };

// The clipboard, the other program, and what the program took.
class World final : public ClipboardPort {
public:
    World(const std::vector<Copy>& copies, Schedule& schedule) : m_copies(copies), m_schedule(schedule) {}

    std::uint32_t SequenceNumber() const noexcept override {
        Between();
        if (trace) Log("number " + std::to_string(m_state.sequence));
        return m_state.sequence;
    }
    bool Open(const ClipboardPatience& patience) override {
        for (int attempt = patience.limitMs ? 3 : 1; attempt > 0; --attempt)
            if (Between(), m_state.holder == Holder::Nobody) return Log("open"), m_state.holder = Holder::Program, true;
        return Log("held"), false;
    }
    std::optional<std::u16string> ReadText() override {
        if (std::exchange(m_state.unrenderedX11, false)) ++m_state.sequence, m_state.announceOnClose = true;
        return m_state.text;
    }
    bool WriteText(const std::u16string& text) override {
        m_state.sequence += 2, m_state.text = text, m_state.unrenderedX11 = false, m_state.ownText = true;
        return m_state.written = true;
    }
    // Closing after a write raises the number again, as Wine does when it adds the formats it makes.
    void Close() noexcept override {
        m_state.holder = Holder::Nobody;
        if (std::exchange(m_state.written, false)) m_state.sequence += 2, m_state.announceOnClose = true;
        if (std::exchange(m_state.announceOnClose, false)) m_state.queued += 2;
    }
    bool HoldsOwnText() const noexcept override { return Between(), m_state.ownText; }

    // The other program's next step, where it can take it now: its next copy only once the program
    // lists the last one, as a user or a script copying as fast as the program answers.
    bool OtherCanAct() const {
        if (m_copy == m_copies.size()) return false;
        const Step step = StepsOf(m_copies[m_copy].copier)[m_step];
        if (step == Step::Empty) return m_state.holder == Holder::Nobody && (m_copy == 0 || Took(m_copy - 1));
        return step != Step::Hold || m_state.holder == Holder::Nobody;
    }
    void OtherActs() const {
        const Copy& copy = m_copies[m_copy];
        if (trace)
            Log(std::string("EWCHL"[static_cast<int>(StepsOf(copy.copier)[m_step])], 1) + std::to_string(m_copy + 1));
        switch (StepsOf(copy.copier)[m_step]) {
            case Step::Empty:
                m_state.holder = Holder::Other, ++m_state.sequence, m_state.text.reset(), m_state.ownText = false;
                break;
            case Step::Write:
                ++m_state.sequence, m_state.text = TextOf(m_copy), m_state.unrenderedX11 = copy.copier == Copier::X11;
                break;
            case Step::Close:
                m_state.holder = Holder::Nobody, m_state.sequence += 2, m_state.queued += copy.notifications;
                m_closed = true;
                break;
            case Step::Hold:
                m_state.holder = Holder::Other;
                break;
            case Step::LetGo:
                m_state.holder = Holder::Nobody;
                break;
        }
        if (++m_step == StepsOf(copy.copier).size()) ++m_copy, m_step = 0;
    }
    // Before each of the program's calls, the other program takes as many steps as the schedule says;
    // before the first call of a message, it has had its chance while the program waited for it.
    void Between() const {
        if (std::exchange(m_firstCall, false)) return;
        while (OtherCanAct() && m_schedule.Choose(2) == 1) OtherActs();
    }
    void NextMessage() const { m_firstCall = true; }
    bool Took(std::size_t copy) const { return std::count(taken.begin(), taken.end(), TextOf(copy)) > 0; }
    bool Announced() const { return m_state.queued > 0; }
    void TakeNotification() { --m_state.queued; }
    bool AnyCopyClosed() const { return m_closed; }
    bool LastCopyClosed() const {
        return m_copy == m_copies.size() || (m_copy + 1 == m_copies.size() && m_step > 0 &&
                                             StepsOf(m_copies[m_copy].copier)[m_step - 1] == Step::Close);
    }

    std::vector<std::u16string> taken;
    // What the walk did, step by step, when it is to be shown.
    std::string* trace = nullptr;
    void Log(const std::string& what) const {
        if (trace) *trace += what + " ";
    }

private:
    struct State {
        std::uint32_t sequence = 100;
        std::optional<std::u16string> text = u"before the start";
        Holder holder = Holder::Nobody;
        bool unrenderedX11 = false, announceOnClose = false, written = false, ownText = false;
        int queued = 0;
    };
    const std::vector<Copy>& m_copies;
    Schedule& m_schedule;
    // The program only reads the clipboard: what changes under it is the other program's doing.
    mutable State m_state;
    mutable std::size_t m_copy = 0, m_step = 0;
    mutable bool m_closed = false, m_firstCall = false;
};

// One walk: the program handles its messages one at a time. Whenever it waits for the next one, the
// other program may act, the next notification may be handled or the user may press Copy (between
// the first copy and the last); the retry timer ticks when nothing else can happen.
std::vector<std::u16string> Walk(const std::vector<Copy>& copies, Schedule& schedule, std::string* trace = nullptr) {
    World world(copies, schedule);
    world.trace = trace;
    ClipboardCapture capture(world, [&](const std::u16string& text) { world.taken.push_back(text); });
    world.NextMessage();
    capture.PassOverCurrent();
    enum Event { Notification, OwnCopy, OtherProgram, Tick };
    bool copied = copies.size() > 2;
    std::uint32_t nowMs = 0;
    for (int events = 0; events < 400; ++events) {
        Event next[3];
        int options = 0;
        if (world.Announced()) next[options++] = Notification;
        if (!copied && world.AnyCopyClosed() && !world.LastCopyClosed()) next[options++] = OwnCopy;
        if (world.OtherCanAct()) next[options++] = OtherProgram;
        if (options == 0 && capture.WaitingForClipboard()) next[options++] = Tick;
        if (options == 0) break;
        const Event event = next[schedule.Choose(options)];
        if (trace) world.Log("\n" + std::string(1, "NCOT"[event]) + ":");
        world.NextMessage();
        switch (event) {
            case Notification:
                world.TakeNotification(), capture.OnNotification(nowMs);
                break;
            case OwnCopy:
                copied = true, capture.Copy(u"the program's own copy");
                break;
            case OtherProgram:
                world.OtherActs();
                break;
            case Tick:
                capture.OnTick(nowMs += 25);
                break;
        }
    }
    return world.taken;
}

std::string Describe(const std::vector<Copy>& plan) {
    std::string described;
    for (const Copy& copy : plan)
        described += std::string(1, "QSHX"[static_cast<int>(copy.copier)]) + std::to_string(copy.notifications) + " ";
    return described;
}

}  // namespace

// Each plan names its copies: Quick, Slow, Holding or X11, and how many notifications each brings.
// The plans of two copies have the program's own Copy too.
TEST(ClipboardCapture, EveryClosedCopyIsTakenOnceAndInOrderAndNeverTheProgramsOwnWhateverTheInterleaving) {
    constexpr Copier Quick = Copier::Quick, Slow = Copier::Slow, Holding = Copier::Holding, X11 = Copier::X11;
    std::vector<std::vector<Copy>> plans;
    for (const Copier first : {Quick, Slow, Holding, X11})
        for (const Copier second : {Quick, Slow, Holding, X11})
            for (const int announced : {1, 2, 3}) {
                for (const int then : {1, 2, 3}) plans.push_back({{first, announced}, {second, then}});
                for (const Copier third : {Quick, Holding, X11})
                    if (announced < 3) plans.push_back({{first, announced}, {second, announced}, {third, announced}});
            }
    long walks = 0, failures = 0;
    for (const auto& plan : plans) {
        const std::vector<std::u16string> expected{TextOf(0), TextOf(1), TextOf(2)};
        Schedule schedule;
        do {
            ++walks;
            Schedule replay = schedule;
            const std::vector<std::u16string> taken = Walk(plan, schedule);
            if (std::equal(taken.begin(), taken.end(), expected.begin(), expected.begin() + plan.size()) &&
                taken.size() == plan.size())
                continue;
            std::string trace;
            if (++failures <= 2) Walk(plan, replay, &trace), ADD_FAILURE() << Describe(plan) << trace;
        } while (schedule.Next());
    }
    EXPECT_EQ(failures, 0) << "of " << walks << " walks";
}

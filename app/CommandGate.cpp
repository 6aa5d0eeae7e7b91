#include "CommandGate.h"

#include <array>

namespace tonvale {

namespace {

using Door = CommandGate::Door;
using Situation = CommandGate::Situation;
using enum CommandGate::Verdict;

// The rule. A row for each way in, a column for what is going on.
//
// List command: Open, Upload, Clear files list (buttons and menus), files dropped on the list.
//   They read or change the list, so an open name edit is ended first and its new name taken.
// Command: Connect, Restart, Update rings, Clear log file, Options, About, Exit and Show program
//   from buttons, menus and the tray menu; the tray icon's clicks; the window's system menu and
//   its commands (minimise to the tray among them); the close box; a change of tab; the
//   Options dialog's OK and No.
// Edit begins / ends: the list's own editing of a row's name.
// Phone notice: the library's connection handler, carried over to the window's thread.
// Session ends: Windows asking to log off or shut down, and doing it; it cannot be kept, and
//   an upload stops for it (the window does that).
//
// Command: a command is running and has a loop of its own: the About box, which leaves the
//   window usable, so what is chosen meanwhile runs at once. Box: a box of the program's waits
//   for the user: the Open dialog, an error box of either window, the Options dialog's refusal
//   of a screen size, the tray menu. Upload: the upload runs inside its command; only what is
//   sent to the window reaches it then. Closed: the window is going.
//
// Wait: kept, and run in the order it came once no command, box or upload holds it up.
// clang-format off
constexpr std::array<std::array<CommandGate::Verdict, 6>, 6> kTable{{
    //                  nothing  name edit          command            box     upload  closed
    /* list command */ {{Run,     CommitEditThenRun, CommitEditThenRun, Wait,   Wait,   Refuse}},
    /* command      */ {{Run,     Run,               Run,               Wait,   Wait,   Refuse}},
    /* edit begins  */ {{Run,     Run,               Run,               Refuse, Refuse, Refuse}},
    /* edit ends    */ {{Run,     Run,               Run,               Run,    Wait,   Refuse}},
    /* phone notice */ {{Run,     Run,               Wait,              Wait,   Wait,   Refuse}},
    /* session ends */ {{Run,     Run,               Run,               Run,    Run,    Refuse}},
}};
// clang-format on

}  // namespace

CommandGate::CommandGate(std::function<void()> commitNameEdit, std::function<void()> wake)
    : commitNameEdit_(std::move(commitNameEdit)), wake_(std::move(wake)) {}

CommandGate::Verdict CommandGate::verdict(Door door, Situation situation) {
    return kTable[static_cast<size_t>(door)][static_cast<size_t>(situation)];
}

CommandGate::Situation CommandGate::situation() const {
    if (closed_) {
        return Situation::Closed;
    }
    if (uploads_ > 0) {
        return Situation::Upload;
    }
    if (boxes_ > 0) {
        return Situation::Box;
    }
    if (commands_ > 0) {
        return Situation::Command;
    }
    return edit_ ? Situation::NameEdit : Situation::Nothing;
}

bool CommandGate::enter(Door door, Action action) {
    switch (verdict(door, situation())) {
        case Refuse:
            return false;
        case Wait:
            waiting_.emplace_back(door, std::move(action));
            return true;
        case CommitEditThenRun:
            if (edit_ && commitNameEdit_) {
                commitNameEdit_();
            }
            break;
        case Run:
            break;
    }
    run(action);
    return true;
}

void CommandGate::run(Action& action) {
    struct Running {
        explicit Running(CommandGate& gate) : gate_(gate) { ++gate_.commands_; }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
        ~Running() { --gate_.commands_; }
        CommandGate& gate_;
    };
    {
        const Running running(*this);
        if (action) {
            action();
        }
    }
    if (commands_ == 0 && !waiting_.empty() && !closed_ && !runningWaiting_ && wake_) {
        wake_();
    }
}

void CommandGate::runWaiting() {
    if (runningWaiting_) {
        return;
    }
    runningWaiting_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{runningWaiting_};
    while (!waiting_.empty() && !closed_) {
        const Situation now = situation();
        const Door door = waiting_.front().first;
        if (verdict(door, now) == Wait) {
            return;  // the end of what holds it up wakes the gate again
        }
        Action action = std::move(waiting_.front().second);
        waiting_.pop_front();
        enter(door, std::move(action));
    }
}

void CommandGate::close() {
    closed_ = true;
    waiting_.clear();
}

}  // namespace tonvale

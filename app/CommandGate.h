// What may come into the main window while something else is going on there: a name being
// edited in the list, a command with a loop of its own (About, the tray menu), a box of the
// program's waiting for the user, an upload. Every way into the window asks this one gate, and
// the table in CommandGate.cpp is the whole rule; no way in keeps a rule of its own.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <utility>

namespace tonvale {

class CommandGate {
  public:
    // The ways in, grouped as the table groups them.
    enum class Door {
        ListCommand,  // Open, Upload, files dropped on the list, Clear files list
        Command,      // every other command, the tray icon, the system menu, close, a tab change
        EditBegins,   // the list asks whether a name edit may begin
        EditEnds,     // a name edit ended with a new name
        PhoneNotice,  // the phone library reported a phone attached or gone
        SessionEnds,  // Windows asks whether it may end the session, or ends it
    };
    // What is going on; when several things are, the one furthest down here decides.
    enum class Situation { Nothing, NameEdit, Command, Box, Upload, Closed };
    enum class Verdict { Run, CommitEditThenRun, Wait, Refuse };

    using Action = std::function<void()>;

    // `commitNameEdit` ends an open name edit, keeping the typed name. `wake` is called when
    // kept actions may run: it arranges for runWaiting() to be called from the message loop,
    // never from inside the command that just ended.
    CommandGate(std::function<void()> commitNameEdit, std::function<void()> wake);
    CommandGate(const CommandGate&) = delete;
    CommandGate& operator=(const CommandGate&) = delete;

    // The table: what a door gets in a situation.
    static Verdict verdict(Door door, Situation situation);
    Situation situation() const;

    // Runs `action` now, as a command; or keeps it, to run once nothing holds it up any more;
    // or drops it. False when it was dropped.
    bool enter(Door door, Action action);
    // The kept actions that may run now, in the order they came.
    void runWaiting();

    // While one of these lives, its situation holds: a box the program opened waits for the
    // user (the Open dialog, an error box, the tray menu), or an upload runs.
    class Scope {
      public:
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        ~Scope() { --*count_; }

      private:
        friend class CommandGate;
        explicit Scope(int& count) : count_(&count) { ++*count_; }
        int* count_;
    };
    [[nodiscard]] Scope boxOpen() { return Scope(boxes_); }
    [[nodiscard]] Scope uploading() { return Scope(uploads_); }
    bool uploadRunning() const { return uploads_ > 0; }
    bool commandRunning() const { return commands_ > 0; }

    // A name edit of the entry with this id began; editEnded() tells whose edit ended.
    void editBegan(uint64_t entry) { edit_ = entry; }
    std::optional<uint64_t> editEnded() { return std::exchange(edit_, std::nullopt); }

    // The window is going: nothing runs any more, and what waited is dropped.
    void close();

  private:
    void run(Action& action);

    std::function<void()> commitNameEdit_;
    std::function<void()> wake_;
    std::deque<std::pair<Door, Action>> waiting_;
    int commands_ = 0;
    int boxes_ = 0;
    int uploads_ = 0;
    std::optional<uint64_t> edit_;
    bool closed_ = false;
    bool runningWaiting_ = false;
};

}  // namespace tonvale

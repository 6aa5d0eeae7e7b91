// What the main window lets in while something else goes on there, told by what runs, in which
// order, and what is dropped.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommandGate.h"

namespace tonvale {
namespace {

using Door = CommandGate::Door;
using Events = std::vector<std::string>;

struct Window {
    Events events;
    int wakes = 0;
    CommandGate gate{[this] {
                         events.push_back("edit committed");
                         if (gate.editEnded()) {
                             gate.enter(Door::EditEnds, [this] { events.push_back("renamed"); });
                         }
                     },
                     [this] { ++wakes; }};

    CommandGate::Action note(std::string what) {
        return [this, what] { events.push_back(what); };
    }
    // The message loop's turn after a wake.
    void wake() {
        wakes = 0;
        gate.runWaiting();
    }
};

TEST(CommandGate, DuringAnUploadWhatIsSentWaitsInOrderAndNoNameEditBegins) {
    Window w;
    ASSERT_TRUE(w.gate.enter(Door::ListCommand, [&] {
        const auto uploading = w.gate.uploading();
        w.events.push_back("upload starts");
        EXPECT_TRUE(w.gate.enter(Door::Command, w.note("clear log")));
        EXPECT_TRUE(w.gate.enter(Door::ListCommand, w.note("drop")));
        EXPECT_TRUE(w.gate.enter(Door::EditEnds, w.note("rename")));
        EXPECT_TRUE(w.gate.enter(Door::PhoneNotice, w.note("connected")));
        EXPECT_FALSE(w.gate.enter(Door::EditBegins, w.note("edit")));
        EXPECT_TRUE(w.gate.enter(Door::SessionEnds, w.note("session ends")));
        w.events.push_back("upload ends");
    }));
    EXPECT_EQ(w.events, (Events{"upload starts", "session ends", "upload ends"}));
    EXPECT_EQ(w.wakes, 1) << "the kept ones run from the message loop, not inside the upload";
    w.wake();
    EXPECT_EQ(w.events, (Events{"upload starts", "session ends", "upload ends", "clear log", "drop",
                                "rename", "connected"}));
    EXPECT_EQ(w.wakes, 0);
}

TEST(CommandGate, AnOpenNameEditIsCommittedBeforeWhatReadsOrChangesTheListAlone) {
    Window w;
    w.gate.enter(Door::EditBegins, [&] { w.gate.editBegan(7); });
    w.gate.enter(Door::Command, w.note("connect"));
    w.gate.enter(Door::PhoneNotice, w.note("connected"));
    EXPECT_EQ(w.events, (Events{"connect", "connected"}));
    w.gate.enter(Door::ListCommand, w.note("drop"));
    EXPECT_EQ(w.events, (Events{"connect", "connected", "edit committed", "renamed", "drop"}));
    // The edit is over: the next list command commits nothing.
    w.gate.enter(Door::ListCommand, w.note("clear files list"));
    EXPECT_EQ(w.events.back(), "clear files list");
    EXPECT_EQ(w.events.size(), 6u);
}

TEST(CommandGate, WhileAboutIsOpenCommandsRunAtOnceAndThePhoneWaitsUntilItCloses) {
    Window w;
    w.gate.enter(Door::Command, [&] {
        w.events.push_back("about opens");
        w.gate.enter(Door::PhoneNotice, w.note("connected"));
        w.gate.enter(Door::ListCommand, w.note("open"));
        w.gate.enter(Door::EditBegins, [&] { w.gate.editBegan(3); });
        w.gate.enter(Door::EditEnds, w.note("renamed"));
        w.events.push_back("about closes");
    });
    w.wake();
    EXPECT_EQ(w.events, (Events{"about opens", "open", "renamed", "about closes", "connected"}));
}

TEST(CommandGate, WhileABoxWaitsForTheUserOnlyAnEndingEditComesIn) {
    Window w;
    w.gate.enter(Door::ListCommand, [&] {
        {
            const auto box = w.gate.boxOpen();
            w.gate.enter(Door::Command, w.note("exit"));
            w.gate.enter(Door::ListCommand, w.note("drop"));
            EXPECT_FALSE(w.gate.enter(Door::EditBegins, w.note("edit")));
            w.gate.enter(Door::EditEnds, w.note("renamed"));
            w.wake();  // a box's own loop takes the wake: still nothing may run
        }
        w.events.push_back("files added");
    });
    EXPECT_EQ(w.events, (Events{"renamed", "files added"}));
    EXPECT_EQ(w.wakes, 1);
    w.wake();
    EXPECT_EQ(w.events, (Events{"renamed", "files added", "exit", "drop"}));
}

TEST(CommandGate, OnceTheWindowIsGoingNothingRunsAndWhatWaitedIsDropped) {
    Window w;
    w.gate.enter(Door::ListCommand, [&] {
        const auto uploading = w.gate.uploading();
        w.gate.enter(Door::Command, w.note("clear log"));
        w.gate.close();
    });
    w.wake();
    for (Door door :
         {Door::ListCommand, Door::Command, Door::EditEnds, Door::PhoneNotice, Door::SessionEnds}) {
        EXPECT_FALSE(w.gate.enter(door, w.note("late")));
    }
    EXPECT_TRUE(w.events.empty());
}

}  // namespace
}  // namespace tonvale

// The library's one state object: the phone behind p2kapi.dll, its volume on the host and its
// connection. Every member is guarded by one mutex; the connection handler is only ever called
// from the library's own thread with that mutex released, so it may call back in.
#pragma once

#include "p2kapi.h"

#include "CallLog.h"
#include "HostVolume.h"
#include "PhoneFile.h"
#include "PhoneSettings.h"
#include "KernelHandles.h"

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace p2kapi {

class VirtualPhone {
  public:
    // Created on first use and never destroyed: its thread may outlive every static destructor.
    static VirtualPhone& instance();

    VirtualPhone(const VirtualPhone&) = delete;
    VirtualPhone& operator=(const VirtualPhone&) = delete;

    // The phone as the program sees it.
    void logCall(std::string_view line);
    // Takes the time a real phone takes for a call that carries `bytes` to write; the phone's
    // state stays unlocked meanwhile, so its thread goes on.
    void takeTime(uint32_t bytes);
    // Takes the handler; with HandlerThread=caller, a registration while attached calls it
    // before returning, on the caller's thread.
    void registerHandler(P2K_ConnectHandler handler);
    // The convention the library's operations are called in, by the settings.
    CallingConvention convention();
    bool isAttached();
    bool restart();
    std::optional<int32_t> freeBytes();
    // Writes the volume's name at `volume` when the settings ask for it, as some libraries do.
    void writeVolumeName(int32_t* volume);
    bool readSeem(int seem, int record, int offset, int bytes, unsigned char* buffer);
    std::optional<int> countFiles();
    bool deleteFile(const char* phonePath);
    bool create(const char* phonePath);
    bool write(const void* data, uint32_t length);
    // Counts a File_Write that succeeded, for detachAfterWrites.
    void writeDone();
    bool close();

    // Test hooks (see p2kapi_test.h).
    void reset(PhoneSettings settings);
    void attachNow();
    void detachNow();
    void failNextCreates(int count);
    void failNextWrites(int count);
    void detachAfterWrites(int count);
    void overrideFreeBytes(std::optional<int32_t> freeBytes);
    std::string callLogText();
    void clearCallLog();
    int handlerCalls();
    unsigned long handlerThreadId();
    bool waitForHandlerCalls(int count, unsigned timeoutMs);

  private:
    using Clock = std::chrono::steady_clock;

    VirtualPhone() = default;

    // Locks the state, loading p2kapi.ini and preparing the volume on first use.
    std::unique_lock<std::mutex> lockState();
    void startLocked(PhoneSettings settings);
    void ensureThreadLocked();

    void attachLocked();
    void detachLocked();
    // Calls the handler as the settings say, with the state released meanwhile, and counts the
    // call unless a reset came in between.
    void callHandlerLocked(std::unique_lock<std::mutex>& lock, P2K_ConnectHandler handler,
                           bool attached);
    void scheduleAttachLocked(unsigned delayMs);
    // Counts the volume afresh; usedBytes_ follows.
    VolumeUsage rescanLocked();

    static DWORD WINAPI notifierMain(void* self);
    void runNotifier();

    std::mutex mutex_;
    std::condition_variable notifierWake_;  // Work for the notifier thread.
    std::condition_variable stateChanged_;  // Handler calls finished.

    bool started_ = false;
    PhoneSettings settings_;
    CallLog log_;

    // Connection.
    bool attached_ = false;
    std::optional<Clock::time_point> attachDue_;
    P2K_ConnectHandler handler_ = nullptr;
    // Handler calls the library's thread owes: true for an attach, false for a detach.
    std::deque<bool> pendingNotifications_;
    // Bumped by every reset, so that a handler call begun before it is not counted after it.
    uint64_t generation_ = 0;
    int handlersRunning_ = 0;
    DWORD callerInHandler_ = 0;  // a caller's thread inside the handler, with HandlerThread=caller
    int handlerCalls_ = 0;
    DWORD handlerThreadId_ = 0;
    tonvale::OwnedKernelHandle notifierThread_;
    DWORD notifierThreadId_ = 0;

    // Volume.
    std::optional<PhoneFile> openFile_;
    // Bytes of every file on the volume, the open one's as written so far. Counted when the
    // phone starts and whenever its free space or files are asked for; the file operations
    // keep it up to date in between, so that none of them scans the whole volume.
    int64_t usedBytes_ = 0;
    // Each folder's names as the last count saw them, kept up to date by the phone's own
    // creates and deletes.
    NameIndex names_;
    std::optional<int32_t> freeBytesOverride_;
    int failingCreates_ = 0;
    int failingWrites_ = 0;
    int writesBeforeDetach_ = 0;  // 0: no detach planned
    // Host files deleted while another program held them open, by path as the phone made it.
    std::set<std::wstring> pendingDeletes_;
};

}  // namespace p2kapi

// The library's one state object: the phone behind p2kapi.dll, its volume on the host and its
// connection. Every member is guarded by one mutex; the connection handler is only ever called
// from the library's own thread with that mutex released, so it may call back in.
#pragma once

#include "p2kapi.h"

#include "call_log.h"
#include "host_volume.h"
#include "phone_file.h"
#include "phone_settings.h"
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
    static VirtualPhone& Instance();

    VirtualPhone(const VirtualPhone&) = delete;
    VirtualPhone& operator=(const VirtualPhone&) = delete;

    // The phone as the program sees it.
    void LogCall(std::string_view line);
    // Takes the time a real phone takes for a call that carries `bytes` to write; the phone's
    // state stays unlocked meanwhile, so its thread goes on.
    void TakeTime(uint32_t bytes);
    // Takes the handler; with HandlerThread=caller, a registration while attached calls it
    // before returning, on the caller's thread.
    void Register(P2K_ConnectHandler handler);
    // The convention the library's operations are called in, by the settings.
    CallingConvention Convention();
    bool IsAttached();
    bool Restart();
    std::optional<int32_t> FreeBytes();
    // Writes the volume's name at `volume` when the settings ask for it, as some libraries do.
    void WriteVolumeName(int32_t* volume);
    bool ReadSeem(int seem, int record, int offset, int bytes, unsigned char* buffer);
    std::optional<int> CountFiles();
    bool Delete(const char* phonePath);
    bool Create(const char* phonePath);
    bool Write(const void* data, uint32_t length);
    // Counts a File_Write that succeeded, for DetachAfterWrites.
    void WriteDone();
    bool Close();

    // Test hooks (see p2kapi_test.h).
    void Reset(PhoneSettings settings);
    void AttachNow();
    void DetachNow();
    void FailNextCreates(int count);
    void FailNextWrites(int count);
    void DetachAfterWrites(int count);
    void OverrideFreeBytes(std::optional<int32_t> freeBytes);
    std::string CallLogText();
    void ClearCallLog();
    int HandlerCalls();
    unsigned long HandlerThreadId();
    bool WaitForHandlerCalls(int count, unsigned timeoutMs);

  private:
    using Clock = std::chrono::steady_clock;

    VirtualPhone() = default;

    // Locks the state, loading p2kapi.ini and preparing the volume on first use.
    std::unique_lock<std::mutex> Lock();
    void StartLocked(PhoneSettings settings);
    void EnsureThreadLocked();

    void AttachLocked();
    void DetachLocked();
    // Calls the handler as the settings say, with the state released meanwhile, and counts the
    // call unless a reset came in between.
    void CallHandlerLocked(std::unique_lock<std::mutex>& lock, P2K_ConnectHandler handler,
                           bool attached);
    void ScheduleAttachLocked(unsigned delayMs);
    // Counts the volume afresh; usedBytes_ follows.
    VolumeUsage RescanLocked();

    static DWORD WINAPI NotifierMain(void* self);
    void RunNotifier();

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

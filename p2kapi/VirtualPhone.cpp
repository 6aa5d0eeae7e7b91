// Start-up, reset and the phone's volume; the connection is in PhoneConnection.cpp.
#include "VirtualPhone.h"

#include "HostPath.h"
#include "HostVolume.h"
#include "PhonePath.h"
#include "Seem.h"
#include "Utf8.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

namespace p2kapi {

VirtualPhone& VirtualPhone::instance() {
    static VirtualPhone* const phone = new VirtualPhone();
    return *phone;
}

std::unique_lock<std::mutex> VirtualPhone::lockState() {
    std::unique_lock lock(mutex_);
    if (!started_) {
        startLocked(readLibrarySettings());
    }
    return lock;
}

void VirtualPhone::startLocked(PhoneSettings settings) {
    settings.root = fullPath(settings.root).value_or(settings.root);
    settings_ = std::move(settings);
    started_ = true;
    // A volume whose folder cannot be made is no phone at all: it stays away, and the call log
    // says why. One whose standard folders cannot all be made works as far as the host lets it.
    prepareVolume(settings_.root);
    const DWORD attributes = ::GetFileAttributesW(settings_.root.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        const DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : 0;
        log_.append(
            "Root cannot be prepared, the phone stays away: " + tonvale::toUtf8(settings_.root) +
            (error != 0 ? " (error " + std::to_string(error) + ")" : " (not a folder)"));
        ensureThreadLocked();
        return;
    }
    rescanLocked();
    ensureThreadLocked();
    if (settings_.attached) {
        scheduleAttachLocked(settings_.attachDelayMs);
    }
}

void VirtualPhone::reset(PhoneSettings settings) {
    std::unique_lock lock(mutex_);
    // Nothing queued may reach the old handler any more; a call in progress is let finish
    // (unless the handler itself resets, which must not wait for itself).
    ++generation_;
    handler_ = nullptr;
    pendingNotifications_.clear();
    const DWORD self = ::GetCurrentThreadId();
    if (self != notifierThreadId_ && self != callerInHandler_) {
        stateChanged_.wait(lock, [this] { return handlersRunning_ == 0; });
    }
    // Calls made while waiting belong to the old phone too.
    attached_ = false;
    attachDue_.reset();
    handler_ = nullptr;
    pendingNotifications_.clear();
    handlerCalls_ = 0;
    handlerThreadId_ = 0;
    openFile_.reset();
    usedBytes_ = 0;
    freeBytesOverride_.reset();
    failingCreates_ = 0;
    failingWrites_ = 0;
    writesBeforeDetach_ = 0;
    pendingDeletes_.clear();
    log_.clear();
    startLocked(std::move(settings));
}

void VirtualPhone::logCall(std::string_view line) {
    auto lock = lockState();
    log_.append(line);
}

void VirtualPhone::takeTime(uint32_t bytes) {
    uint64_t milliseconds = 0;
    {
        auto lock = lockState();
        milliseconds = settings_.callDelayMs;
        if (settings_.writeKiBPerSecond > 0) {
            milliseconds += uint64_t{bytes} * 1000 / (uint64_t{settings_.writeKiBPerSecond} * 1024);
        }
    }
    while (milliseconds > 0) {
        const auto step = static_cast<DWORD>(std::min<uint64_t>(milliseconds, 60000));
        ::Sleep(step);
        milliseconds -= step;
    }
}

VolumeUsage VirtualPhone::rescanLocked() {
    // The directory entry of the open file may lag behind what was written to it.
    const std::wstring openPath = openFile_ ? openFile_->hostPath() : std::wstring();
    const VolumeUsage usage = scanVolume(settings_.root, openPath, &names_);
    usedBytes_ = usage.bytes + (openFile_ ? openFile_->size() : 0);
    return usage;
}

// Asked once a connection, not once a file: it counts what the host folder holds now,
// including files put there from outside.
std::optional<int32_t> VirtualPhone::freeBytes() {
    auto lock = lockState();
    if (!attached_) {
        return std::nullopt;
    }
    if (freeBytesOverride_) {
        return *freeBytesOverride_;
    }
    rescanLocked();
    return clampToInt32(settings_.capacityBytes - usedBytes_);
}

void VirtualPhone::writeVolumeName(int32_t* volume) {
    auto lock = lockState();
    if (!attached_ || volume == nullptr || settings_.volumeNameBytes == 0) {
        return;
    }
    // "/a", padded with blanks to the length asked for, its last byte the terminating zero.
    std::string name = "/a";
    name.resize(settings_.volumeNameBytes - 1, ' ');
    name.push_back('\0');
    std::memcpy(volume, name.data(), name.size());
}

bool VirtualPhone::readSeem(int seem, int record, int offset, int bytes, unsigned char* buffer) {
    auto lock = lockState();
    return attached_ && p2kapi::readSeem(settings_.label, seem, record, offset, bytes, buffer);
}

std::optional<int> VirtualPhone::countFiles() {
    auto lock = lockState();
    if (!attached_) {
        return std::nullopt;
    }
    // The upload counts twice before and twice after; while no folder changed but by the
    // phone's own hand, its names say how many files there are.
    if (const auto count = names_.countIfCurrent()) {
        return *count;
    }
    return rescanLocked().fileCount;
}

bool VirtualPhone::deleteFile(const char* phonePath) {
    auto lock = lockState();
    if (!attached_) {
        return false;
    }
    const auto hostPath = hostPathFor(phonePath, settings_.root);
    if (!hostPath || names_.knownMissing(*hostPath)) {
        return false;
    }
    const auto bytes = deleteHostFile(*hostPath);
    if (!bytes) {
        return false;
    }
    names_.removed(*hostPath);
    usedBytes_ -= *bytes;
    // Another program holding the file open (a viewer, an indexer) keeps it until it closes it.
    if (hostFileLingers(*hostPath)) {
        pendingDeletes_.insert(*hostPath);
    }
    return true;
}

bool VirtualPhone::create(const char* phonePath) {
    auto lock = lockState();
    if (failingCreates_ > 0) {
        --failingCreates_;
        return false;
    }
    if (!attached_) {
        return false;
    }
    const auto hostPath = hostPathFor(phonePath, settings_.root);
    if (!hostPath) {
        return false;
    }
    // A file deleted while another program held it goes when that program lets go; until then
    // its name is not free. Windows refuses such a create; Wine would write into the doomed
    // file and report it written.
    if (pendingDeletes_.count(*hostPath) != 0) {
        if (hostFileLingers(*hostPath)) {
            return false;
        }
        pendingDeletes_.erase(*hostPath);
    }
    openFile_.reset();
    // Creating empties a file of the name: only its bytes leave the count.
    int64_t replacedBytes = 0;
    auto file = PhoneFile::create(*hostPath, replacedBytes);
    if (!file) {
        return false;
    }
    usedBytes_ -= replacedBytes;
    openFile_ = std::move(file);
    names_.added(*hostPath);
    return true;
}

bool VirtualPhone::write(const void* data, uint32_t length) {
    auto lock = lockState();
    if (failingWrites_ > 0) {
        --failingWrites_;
        return false;
    }
    if (!attached_ || !openFile_) {
        return false;
    }
    if (length == 0) {
        return true;
    }
    const int64_t freeBytes =
        freeBytesOverride_ ? *freeBytesOverride_ : settings_.capacityBytes - usedBytes_;
    if (data == nullptr || static_cast<int64_t>(length) > freeBytes) {
        return false;
    }
    if (!openFile_->append(data, length)) {
        return false;
    }
    usedBytes_ += length;
    return true;
}

bool VirtualPhone::close() {
    auto lock = lockState();
    if (!attached_ || !openFile_) {
        return false;
    }
    openFile_.reset();
    return true;
}

void VirtualPhone::failNextCreates(int count) {
    auto lock = lockState();
    failingCreates_ = count > 0 ? count : 0;
}

void VirtualPhone::failNextWrites(int count) {
    auto lock = lockState();
    failingWrites_ = count > 0 ? count : 0;
}

void VirtualPhone::overrideFreeBytes(std::optional<int32_t> freeBytes) {
    auto lock = lockState();
    freeBytesOverride_ = freeBytes;
}

std::string VirtualPhone::callLogText() {
    auto lock = lockState();
    return log_.text();
}

void VirtualPhone::clearCallLog() {
    auto lock = lockState();
    log_.clear();
}

}  // namespace p2kapi

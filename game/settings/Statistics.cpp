#include "game/settings/Statistics.h"

#include <algorithm>

#include "common/registry/RegistryKey.h"
#include "common/registry/SettingsRoot.h"

namespace {

constexpr LPCWSTR kStatisticsKey = u"Statistics";
constexpr LPCWSTR kCompleted = u"Completed";

// The stored form of an empty list: the two sentinels.
constexpr BYTE kEmptyList[] = {0x00, 0x80, 0xFF, 0x7F};

// Reads the whole "Completed" value; false when it is missing, empty or unreadable. Retries
// if another process makes it grow between asking for the size and reading.
bool ReadCompleted(RegistryKey& key, std::vector<BYTE>& bytes) {
    DWORD size = 0;
    if (!key.GetBinary(kCompleted, nullptr, size) || size == 0) return false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        bytes.assign(size, 0);
        DWORD read = size;
        if (key.GetBinary(kCompleted, bytes.data(), read)) {
            bytes.resize(std::min<std::size_t>(read, bytes.size()));
            return !bytes.empty();
        }
        if (read <= size) return false;  // failed for another reason than size
        size = read;
    }
    return false;
}

}  // namespace

Statistics::Statistics() {
    ResetCompleted();
}

bool Statistics::Load() {
    RegistryKey root(HKEY_LOCAL_MACHINE, kSettingsRoot, true, true);
    RegistryKey key(root.Handle(), kStatisticsKey, true, true);
    won_ = key.GetDword(u"Won", 0);
    games_ = key.GetDword(u"Games", 0);

    std::vector<BYTE> bytes;
    DWORD size = 0;
    if (!key.GetBinary(kCompleted, nullptr, size) || size == 0) {
        key.SetBinary(kCompleted, kEmptyList, sizeof kEmptyList);
        bytes.assign(std::begin(kEmptyList), std::end(kEmptyList));
    } else if (!ReadCompleted(key, bytes)) {
        // Present but unreadable: keep the stored bytes and start from an empty list.
        bytes.assign(std::begin(kEmptyList), std::end(kEmptyList));
    }
    SetCompletedFromBytes(bytes);
    return true;
}

void Statistics::SetCompletedFromBytes(const std::vector<BYTE>& bytes) {
    // Only whole entries count; an odd trailing byte is dropped.
    std::vector<std::int16_t> games;
    games.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto entry = static_cast<std::int16_t>(bytes[i] | bytes[i + 1] << 8);
        if (entry != kLowSentinel && entry != kHighSentinel) games.push_back(entry);
    }
    // The binary search of AddCompleted needs an ascending list without repeats.
    std::sort(games.begin(), games.end());
    games.erase(std::unique(games.begin(), games.end()), games.end());
    completed_.clear();
    completed_.reserve(games.size() + 2);
    completed_.push_back(kLowSentinel);
    completed_.insert(completed_.end(), games.begin(), games.end());
    completed_.push_back(kHighSentinel);
}

bool Statistics::Save() {
    RegistryKey root(HKEY_LOCAL_MACHINE, kSettingsRoot, true, true);
    RegistryKey key(root.Handle(), kStatisticsKey, true, true);
    bool ok = key.SetDword(u"Won", won_);
    ok = key.SetDword(u"Games", games_) && ok;
    std::vector<BYTE> bytes;
    bytes.reserve(completed_.size() * 2);
    for (std::int16_t entry : completed_) {
        const auto value = static_cast<std::uint16_t>(entry);
        bytes.push_back(static_cast<BYTE>(value & 0xFF));
        bytes.push_back(static_cast<BYTE>(value >> 8));
    }
    ok = key.SetBinary(kCompleted, bytes.data(), static_cast<DWORD>(bytes.size())) && ok;
    saved_ = ok;
    return !completed_.empty();
}

void Statistics::RecordDeal() {
    ++games_;
    Save();
}

void Statistics::RecordWin(std::int16_t number) {
    ++won_;
    AddCompleted(number);
    Save();
    for (int retry = 0; !saved_ && retry < kWinSaveRetries; ++retry) Save();
}

void Statistics::AddCompleted(std::int16_t number) {
    // The search below is bounded by the sentinels; the upper one would otherwise be added
    // again in front of itself.
    if (completed_.size() < 2) ResetCompleted();
    if (number == kHighSentinel) return;
    std::size_t lo = 0;
    std::size_t hi = completed_.size() - 1;
    if (hi >= 2) {
        do {
            const std::size_t mid = (lo + hi) / 2;
            if (completed_[mid] <= number) {
                lo = mid;
            } else {
                hi = mid;
            }
        } while (hi - lo > 1);
    }
    if (completed_[lo] == number) return;
    completed_.insert(completed_.begin() + static_cast<std::ptrdiff_t>(lo) + 1, number);
}

bool Statistics::IsCompleted(std::int16_t number) const {
    for (std::size_t i = 1; i + 1 < completed_.size(); ++i) {
        if (completed_[i] == number) return true;
    }
    return false;
}

void Statistics::ResetCompleted() {
    completed_.clear();
    completed_.push_back(kLowSentinel);
    completed_.push_back(kHighSentinel);
}

Statistics& TheStatistics() {
    static Statistics statistics;
    return statistics;
}

// Entries by key bytes: a std::unordered_map<std::string, V> keeps them
// (an entry stays where it is until it is erased), and lookups go through a
// flat open-addressed index beside it. A lookup is one probe into a compact
// array and then the entry, where the map alone walks its bucket array and a
// node chain; with many keys each of those steps is a cache miss.
//
// An index slot is 8 bytes: 32 bits of the key's hash and the number of its
// entry in a table of entry addresses. With many keys the slots are what a
// lookup reaches at random (the entries lie in the order they were made), so
// the fewer bytes they take, the more of them stay in the cache: 100 000
// keys take a 1 MiB index, where 16-byte slots kept at most half full took 4.
#ifndef ZORVEX_SRC_ENGINE_KEY_MAP_H
#define ZORVEX_SRC_ENGINE_KEY_MAP_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ZORVEX::engine {

template <class V>
class KeyMap {
public:
    using Map = std::unordered_map<std::string, V>;
    using iterator = typename Map::iterator;
    using const_iterator = typename Map::const_iterator;
    using node_type = typename Map::node_type;
    using value_type = typename Map::value_type;  // (key, V)

    iterator begin() noexcept { return map_.begin(); }
    iterator end() noexcept { return map_.end(); }
    const_iterator begin() const noexcept { return map_.begin(); }
    const_iterator end() const noexcept { return map_.end(); }
    size_t size() const noexcept { return map_.size(); }

    // The entry of `key`, or null. A few entries are compared one by one
    // (as the map does itself for a few), which costs less than the hash.
    value_type* find(const std::string& key) const noexcept {
        if (map_.size() <= kFew) {
            for (auto& entry : const_cast<Map&>(map_))
                if (entry.first == key) return &entry;
            return nullptr;
        }
        const size_t slot = find_slot(key, hash_of(key));
        return slot == npos ? nullptr : entry_at(slots_[slot].number);
    }

    // Room for n entries in all, so that inserting up to that many fails
    // only should the entry itself fail to be made.
    void reserve(size_t n) {
        if (n >= map_.bucket_count() * map_.max_load_factor()) map_.reserve(n * 2);
        if (n > slots_.size() / 5 * 4) grow(n);
        if (n > numbers_.capacity()) numbers_.reserve(std::max(n, 2 * numbers_.capacity()));
    }

    // As the map's: nothing changes if it throws.
    template <class... Args>
    std::pair<value_type*, bool> try_emplace(const std::string& key, Args&&... args) {
        const uint32_t hash = hash_of(key);
        if (const size_t slot = find_slot(key, hash); slot != npos) return {entry_at(slots_[slot].number), false};
        reserve(map_.size() + 1);
        value_type& entry = *map_.try_emplace(key, std::forward<Args>(args)...).first;
        index(hash, number_for(&entry));
        return {&entry, true};
    }

    // An entry made elsewhere (extracted from a Map), within reserved room.
    value_type& insert(node_type&& node) noexcept {
        value_type& entry = *map_.insert(std::move(node)).position;
        index(hash_of(entry.first), number_for(&entry));
        return entry;
    }

    void erase(value_type& entry) noexcept {
        const size_t slot = find_slot(entry.first, hash_of(entry.first));
        release_number(slots_[slot].number);
        unindex(slot);
        map_.erase(map_.find(entry.first));
    }

    // Everything goes, the room made for it too.
    void clear() noexcept {
        Map().swap(map_);
        std::vector<Slot>().swap(slots_);
        std::vector<uintptr_t>().swap(numbers_);
        free_number_ = kNoNumber;
    }

private:
    static constexpr size_t npos = ~size_t(0);
    static constexpr size_t kFew = 8;
    static constexpr uint32_t kNoNumber = ~uint32_t(0);
    struct Slot {
        uint32_t hash = 0;    // 0: empty
        uint32_t number = 0;  // of the entry in numbers_
    };

    // Never 0, which marks an empty slot.
    static uint32_t hash_of(const std::string& key) noexcept {
        const uint64_t h = std::hash<std::string>{}(key);
        const auto folded = static_cast<uint32_t>(h ^ (h >> 32));
        return folded != 0 ? folded : 1;
    }

    // numbers_[n] is the address of entry n, or, for a number not in use, the
    // next free number.
    value_type* entry_at(uint32_t number) const noexcept {
        return reinterpret_cast<value_type*>(numbers_[number]);
    }
    // Within reserved room: numbers_ holds as many numbers as entries.
    uint32_t number_for(value_type* entry) noexcept {
        uint32_t number = free_number_;
        if (number != kNoNumber) {
            free_number_ = static_cast<uint32_t>(numbers_[number]);
            numbers_[number] = reinterpret_cast<uintptr_t>(entry);
        } else {
            number = static_cast<uint32_t>(numbers_.size());
            numbers_.push_back(reinterpret_cast<uintptr_t>(entry));
        }
        return number;
    }
    void release_number(uint32_t number) noexcept {
        numbers_[number] = free_number_;
        free_number_ = number;
    }

    size_t find_slot(const std::string& key, uint32_t hash) const noexcept {
        if (slots_.empty()) return npos;
        const size_t mask = slots_.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& s = slots_[i];
            if (s.hash == 0) return npos;
            if (s.hash == hash && entry_at(s.number)->first == key) return i;
        }
    }

    // Linear probing at most four fifths full. Most probes end within the
    // slot's own cache line, and the hashes kept in the slots spare a
    // look at any entry but the one sought.
    void index(uint32_t hash, uint32_t number) noexcept {
        const size_t mask = slots_.size() - 1;
        size_t i = hash & mask;
        while (slots_[i].hash != 0) i = (i + 1) & mask;
        slots_[i] = Slot{hash, number};
    }

    // Takes slot i out, moving up each later slot of the run that would no
    // longer be found past the gap.
    void unindex(size_t i) noexcept {
        const size_t mask = slots_.size() - 1;
        for (size_t j = (i + 1) & mask; slots_[j].hash != 0; j = (j + 1) & mask) {
            const size_t home = slots_[j].hash & mask;
            // j's entry may fill the gap at i unless its home lies in (i, j].
            const bool home_after_gap = i <= j ? (i < home && home <= j) : (i < home || home <= j);
            if (!home_after_gap) {
                slots_[i] = slots_[j];
                i = j;
            }
        }
        slots_[i] = Slot{};
    }

    void grow(size_t n) {
        // Entry numbers and slot positions stay within the 32 bits kept.
        if (n >= kNoNumber / 2) throw std::length_error("KeyMap: too many entries");
        size_t capacity = 16;
        while (capacity / 5 * 4 < n) capacity *= 2;
        std::vector<Slot> old(capacity);
        old.swap(slots_);
        for (const Slot& s : old)
            if (s.hash != 0) index(s.hash, s.number);
    }

    Map map_;
    std::vector<Slot> slots_;  // a power of two of them, or none
    std::vector<uintptr_t> numbers_;  // by entry number (entry_at)
    uint32_t free_number_ = kNoNumber;  // the first of the free numbers' chain
};

}  // namespace ZORVEX::engine

#endif

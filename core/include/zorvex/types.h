// Basic vocabulary of the core: return codes, masks and states, durations,
// times and instance handles, with the DDS standard's numbering.
#ifndef ZORVEX_TYPES_H
#define ZORVEX_TYPES_H

#include <cstdint>

#include "zorvex/export.h"

namespace ZORVEX {

typedef int32_t ReturnCode_t;
constexpr ReturnCode_t RETCODE_OK = 0;
constexpr ReturnCode_t RETCODE_ERROR = 1;
constexpr ReturnCode_t RETCODE_UNSUPPORTED = 2;
constexpr ReturnCode_t RETCODE_BAD_PARAMETER = 3;
constexpr ReturnCode_t RETCODE_PRECONDITION_NOT_MET = 4;
constexpr ReturnCode_t RETCODE_OUT_OF_RESOURCES = 5;
constexpr ReturnCode_t RETCODE_NOT_ENABLED = 6;
constexpr ReturnCode_t RETCODE_IMMUTABLE_POLICY = 7;
constexpr ReturnCode_t RETCODE_INCONSISTENT_POLICY = 8;
constexpr ReturnCode_t RETCODE_ALREADY_DELETED = 9;
constexpr ReturnCode_t RETCODE_TIMEOUT = 10;
constexpr ReturnCode_t RETCODE_NO_DATA = 11;
constexpr ReturnCode_t RETCODE_ILLEGAL_OPERATION = 12;

typedef int32_t DomainId_t;
typedef int32_t QosPolicyId_t;

// Communication statuses, one bit each.
typedef uint32_t StatusKind;
typedef uint32_t StatusMask;
constexpr StatusKind INCONSISTENT_TOPIC_STATUS = 1u << 0;
constexpr StatusKind OFFERED_DEADLINE_MISSED_STATUS = 1u << 1;
constexpr StatusKind REQUESTED_DEADLINE_MISSED_STATUS = 1u << 2;
constexpr StatusKind OFFERED_INCOMPATIBLE_QOS_STATUS = 1u << 5;
constexpr StatusKind REQUESTED_INCOMPATIBLE_QOS_STATUS = 1u << 6;
constexpr StatusKind SAMPLE_LOST_STATUS = 1u << 7;
constexpr StatusKind SAMPLE_REJECTED_STATUS = 1u << 8;
constexpr StatusKind DATA_ON_READERS_STATUS = 1u << 9;
constexpr StatusKind DATA_AVAILABLE_STATUS = 1u << 10;
constexpr StatusKind LIVELINESS_LOST_STATUS = 1u << 11;
constexpr StatusKind LIVELINESS_CHANGED_STATUS = 1u << 12;
constexpr StatusKind PUBLICATION_MATCHED_STATUS = 1u << 13;
constexpr StatusKind SUBSCRIPTION_MATCHED_STATUS = 1u << 14;
constexpr StatusMask STATUS_MASK_NONE = 0;
constexpr StatusMask STATUS_MASK_ALL = 0xffffffffu;

// Sample, view and instance states and their masks (16-bit).
typedef uint16_t SampleStateKind;
typedef uint16_t SampleStateMask;
constexpr SampleStateKind READ_SAMPLE_STATE = 1;
constexpr SampleStateKind NOT_READ_SAMPLE_STATE = 2;
constexpr SampleStateMask ANY_SAMPLE_STATE = 0xffff;

typedef uint16_t ViewStateKind;
typedef uint16_t ViewStateMask;
constexpr ViewStateKind NEW_VIEW_STATE = 1;
constexpr ViewStateKind NOT_NEW_VIEW_STATE = 2;
constexpr ViewStateMask ANY_VIEW_STATE = 0xffff;

typedef uint16_t InstanceStateKind;
typedef uint16_t InstanceStateMask;
constexpr InstanceStateKind ALIVE_INSTANCE_STATE = 1;
constexpr InstanceStateKind NOT_ALIVE_DISPOSED_INSTANCE_STATE = 2;
constexpr InstanceStateKind NOT_ALIVE_NO_WRITERS_INSTANCE_STATE = 4;
constexpr InstanceStateMask NOT_ALIVE_INSTANCE_STATE = 6;
constexpr InstanceStateMask ANY_INSTANCE_STATE = 0xffff;

// Resource limits and read/take counts: no limit.
constexpr int32_t LENGTH_UNLIMITED = -1;

struct Duration_t {
    int32_t sec = 0;
    uint32_t nanosec = 0;
};

struct Time_t {
    int32_t sec = 0;
    uint32_t nanosec = 0;
};

constexpr int32_t DURATION_INFINITE_SEC = 0x7fffffff;
constexpr uint32_t DURATION_INFINITE_NSEC = 0x7fffffffu;
constexpr Duration_t DURATION_INFINITE{DURATION_INFINITE_SEC, DURATION_INFINITE_NSEC};
constexpr Duration_t DURATION_ZERO{0, 0};
constexpr Time_t TIME_INVALID{-1, 0xffffffffu};

// An instance or entity handle: 16 opaque bytes, of which the first `length`
// are meaningful, and a validity flag. A copy takes the first `length` value
// bytes (at most 16) and reads the rest as zero.
struct InstanceHandle_t {
    unsigned char value[16];
    uint32_t length;
    int32_t valid;

    constexpr InstanceHandle_t() noexcept : value{}, length(16), valid(0) {}
    constexpr InstanceHandle_t(const InstanceHandle_t& other) noexcept
        : value{}, length(other.length), valid(other.valid) {
        copy_value(other);
    }
    constexpr InstanceHandle_t& operator=(const InstanceHandle_t& other) noexcept {
        if (this != &other) {
            length = other.length;
            valid = other.valid;
            copy_value(other);
        }
        return *this;
    }

    friend constexpr bool operator==(const InstanceHandle_t& a, const InstanceHandle_t& b) noexcept {
        if (a.length != b.length || a.valid != b.valid) return false;
        for (int i = 0; i < 16; ++i)
            if (a.value[i] != b.value[i]) return false;
        return true;
    }
    friend constexpr bool operator!=(const InstanceHandle_t& a, const InstanceHandle_t& b) noexcept {
        return !(a == b);
    }

private:
    constexpr void copy_value(const InstanceHandle_t& other) noexcept {
        const uint32_t n = other.length < 16 ? other.length : 16;
        for (uint32_t i = 0; i < 16; ++i) value[i] = i < n ? other.value[i] : 0;
    }
};

// 16 zero bytes, length 16, not valid.
extern QUILLMAR_API const InstanceHandle_t HANDLE_NIL;

}  // namespace ZORVEX

#endif
